// Pasting into the proposal pane of a shown main window: a refused 100 MB paste (beside the one
// conversion of its bytes into a string that it cannot avoid), an accepted 100,000-character
// paste through the pane's paste path (Ctrl+V), and the same text inserted with
// QTextEdit::insertPlainText alone, side by side. Reports medians and the accepted paste's
// cost against insertPlainText. Usage: paste_bench [benchmark options]
#include "Form1.h"
#include "GameController.h"
#include "MedianReporter.h"
#include "MessageSink.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTextEdit>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include <unistd.h>

namespace {

constexpr qsizetype kRefusedBytes = 100 * 1000 * 1000;
constexpr qsizetype kAcceptedLength = 100000;
constexpr int kRepetitions = 9;

class SilentSink : public MessageSink {
  public:
    Answer answer(const Question&) override
    {
        ++refusals;
        return Answer::Cancel;
    }
    int refusals = 0;
};

// Words and spaces, as a copied page holds them.
QByteArray pageText(qsizetype length)
{
    const QByteArray words = "LE PETIT CHAT DORT PRES DU FEU ";
    QByteArray text;
    text.reserve(length);
    while (text.size() < length)
        text += words;
    text.truncate(length);
    return text;
}

struct Window {
    GameController game;
    SilentSink sink;
    std::unique_ptr<Form1> form;
    QTextEdit* propal = nullptr;

    Window()
    {
        form = std::make_unique<Form1>(game, &sink);
        form->show();
        propal = form->findChild<QTextEdit*>(QStringLiteral("propal"));
        propal->setFocus();
        QCoreApplication::processEvents();
    }
};

Window* g_window = nullptr;

// The clipboard as the platform hands it over: the text as UTF-8 bytes, turned into a string
// when the pane asks for it.
void offerOnClipboard(const QByteArray& utf8)
{
    auto* data = new QMimeData;
    data->setData(QStringLiteral("text/plain"), utf8);
    QGuiApplication::clipboard()->setMimeData(data);
}

void emptyPane(benchmark::State& state)
{
    state.PauseTiming();
    g_window->propal->clear();
    QCoreApplication::processEvents();
    state.ResumeTiming();
}

void BM_RefusedPaste100MB(benchmark::State& state)
{
    offerOnClipboard(pageText(kRefusedBytes));
    const int before = g_window->sink.refusals;
    for (auto _ : state) {
        emptyPane(state);
        g_window->propal->paste();
        QCoreApplication::processEvents();
    }
    if (g_window->sink.refusals == before || !g_window->propal->document()->isEmpty())
        state.SkipWithError("the paste was not refused");
    QGuiApplication::clipboard()->clear();
}

// What the refusal cannot avoid: turning the clipboard's bytes into a string once.
void BM_OneConversion100MB(benchmark::State& state)
{
    const QByteArray utf8 = pageText(kRefusedBytes);
    for (auto _ : state) {
        QString text = QString::fromUtf8(utf8);
        benchmark::DoNotOptimize(text);
    }
}

void BM_AcceptedPaste100k(benchmark::State& state)
{
    offerOnClipboard(pageText(kAcceptedLength));
    for (auto _ : state) {
        emptyPane(state);
        g_window->propal->paste();
        QCoreApplication::processEvents();
    }
    if (g_window->propal->toPlainText().size() != kAcceptedLength)
        state.SkipWithError("the paste was not taken");
}

void BM_InsertPlainText100k(benchmark::State& state)
{
    const QString text = QString::fromLatin1(pageText(kAcceptedLength));
    for (auto _ : state) {
        emptyPane(state);
        g_window->propal->insertPlainText(text);
        QCoreApplication::processEvents();
    }
}

} // namespace

BENCHMARK(BM_RefusedPaste100MB)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_OneConversion100MB)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_AcceptedPaste100k)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_InsertPlainText100k)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(kRepetitions)
    ->ReportAggregatesOnly(true);

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    Window window;
    g_window = &window;
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio("accepted paste / insertPlainText", "BM_AcceptedPaste100k",
                        "BM_InsertPlainText100k");
    benchmark::Shutdown();
    return 0;
}
