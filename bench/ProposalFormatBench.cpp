// Formatting a 32,766-character proposal in a shown pane: our colour and font application
// against one whole-range merge of the same format and against a per-character loop.
// Prints medians and ratios measured side by side. Usage: proposal_format_bench [reps] [naive-reps]
#include "PaneFormatting.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kLength = 32766;

// A proposal-like text: words and spaces, no line break.
QString proposalText(int length)
{
    const QString words = QStringLiteral("LE PETIT CHAT DORT PRES DU FEU ");
    QString text;
    while (text.size() < length)
        text += words;
    text.truncate(length);
    return text;
}

double medianMs(int reps, QTextEdit& edit, const std::function<void(QTextEdit&, int)>& action,
                int length = kLength)
{
    std::vector<double> times;
    for (int i = 0; i < reps; ++i) {
        edit.setPlainText(proposalText(length));
        QCoreApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        action(edit, i);
        QCoreApplication::processEvents();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

QColor colourFor(int i)
{
    return i % 2 ? QColor(255, 0, 0) : QColor(0, 0, 255);
}

QTextCharFormat fontFormat(int i)
{
    QTextCharFormat format;
    format.setFontFamilies({QStringLiteral("Courier New")});
    format.setFontPointSize(i % 2 ? 12 : 16);
    format.setFontWeight(QFont::Bold);
    return format;
}

void wholeRangeMerge(QTextEdit& edit, const QTextCharFormat& format)
{
    QTextCursor cursor(edit.document());
    cursor.select(QTextCursor::Document);
    cursor.mergeCharFormat(format);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int reps = argc > 1 ? std::atoi(argv[1]) : 7;
    const int naiveReps = argc > 2 ? std::atoi(argv[2]) : 1;
    const int naiveLength = argc > 3 ? std::atoi(argv[3]) : kLength;

    QTextEdit edit;
    edit.resize(330, 417);
    edit.show();

    const double colourMerge = medianMs(reps, edit, [](QTextEdit& e, int i) {
        QTextCharFormat format;
        format.setForeground(colourFor(i));
        wholeRangeMerge(e, format);
    });
    const double colourOurs =
        medianMs(reps, edit, [](QTextEdit& e, int i) { applyTextColour(&e, colourFor(i)); });
    const double fontMerge =
        medianMs(reps, edit, [](QTextEdit& e, int i) { wholeRangeMerge(e, fontFormat(i)); });
    const double fontOurs = medianMs(reps, edit, [](QTextEdit& e, int i) {
        QFont font(QStringLiteral("Courier New"));
        font.setPointSize(i % 2 ? 12 : 16);
        font.setBold(true);
        applyFont(&e, font);
    });
    // The per-character loop: select each position in turn and colour the selection.
    const double colourNaive = medianMs(
        naiveReps, edit,
        [naiveLength](QTextEdit& e, int i) {
            QTextCharFormat format;
            format.setForeground(colourFor(i));
            QTextCursor cursor(e.document());
            for (int p = 0; p <= naiveLength; ++p) {
                cursor.setPosition(p);
                cursor.setPosition(std::min(p + 1, naiveLength), QTextCursor::KeepAnchor);
                cursor.mergeCharFormat(format);
            }
        },
        naiveLength);

    std::printf("proposal of %d characters, medians in ms (%d runs; per-character loop %d)\n",
                kLength, reps, naiveReps);
    std::printf("colour: one merge %.2f, ours %.2f (%.2fx)\n", colourMerge, colourOurs,
                colourOurs / colourMerge);
    std::printf("per-character loop over %d characters: %.0f (ours on %d: %.0fx faster)\n",
                naiveLength, colourNaive, kLength, colourNaive / colourOurs);
    std::printf("font:   one merge %.2f, ours %.2f (%.2fx)\n", fontMerge, fontOurs,
                fontOurs / fontMerge);
    return 0;
}
