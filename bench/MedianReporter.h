// The usual console table of a benchmark run, keeping each benchmark's median so that a run can
// print the ratio of two of them after the table.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include <unistd.h>

class MedianReporter : public benchmark::ConsoleReporter {
  public:
    // Colours only on a terminal, so that a saved report reads cleanly.
    MedianReporter() : ConsoleReporter(isatty(fileno(stdout)) ? OO_ColorTabular : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                medians[run.run_name.function_name] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }

    // Prints "label (medians): ratio" when both benchmarks ran.
    void printRatio(const char* label, const std::string& over, const std::string& under) const
    {
        const auto top = medians.find(over);
        const auto bottom = medians.find(under);
        if (top != medians.end() && bottom != medians.end())
            std::printf("%s (medians): %.2fx\n", label, top->second / bottom->second);
    }

    std::map<std::string, double> medians;
};
