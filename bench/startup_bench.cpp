// Start-up cost of the main window: time from process start to the end of Form1's first paint,
// and peak memory, against a bare QMainWindow and one showing a QLabel, measured side by side;
// and Form1 on a 600-character game whose store holds 10,000 turns, against the same game with
// no history; and Form1 on that game against a probe that shows the same window with the same
// texts and look, read from the same store, without the game's start-up (its lock, its recent
// games, its history).
// Usage: startup_bench [rounds]   (run under xvfb-run or with QT_QPA_PLATFORM=offscreen)
#include "BenchStores.h"
#include "Form1.h"
#include "GameController.h"
#include "GameStore.h"
#include "PanesView.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

extern char** environ;

namespace {

constexpr std::array<const char*, 8> kKinds = {"bare",  "label", "form1",  "game",
                                              "turns", "probe", "thread", "puzzle"};
// The thread's stores: 50 puzzles of 200 turns, against its last puzzle alone.
constexpr int kThreadPuzzles = 50;
constexpr int kPuzzleTurns = 200;
constexpr int kTurns = kBenchTurns;

// The stores of the "game" and "turns" kinds: the same 600-character game, without and with a
// history of kTurns turns. Made once by the parent in a scratch folder.
QString g_gameStore;
QString g_turnsStore;
QString g_threadStore;
QString g_puzzleStore;

void nameStores(const QString& folder)
{
    g_turnsStore = folder + QStringLiteral("/turns.mdb");
    g_gameStore = folder + QStringLiteral("/game.mdb");
    g_threadStore = folder + QStringLiteral("/thread.mdb");
    g_puzzleStore = folder + QStringLiteral("/puzzle.mdb");
}

bool makeHistoryStores(const QString& folder)
{
    nameStores(folder);
    return writeBenchStore(g_turnsStore, true) && writeBenchStore(g_gameStore, false) &&
           writeThreadStore(g_threadStore, kThreadPuzzles, kPuzzleTurns) &&
           writeThreadStore(g_puzzleStore, 1, kPuzzleTurns);
}

long long monotonicNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

// Ends the process once the first frame of the window has been painted completely.
class FirstPaint : public QObject {
  public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!m_seen && event->type() == QEvent::Paint) {
            m_seen = true;
            // The rest of the frame is painted within the same event; the timer runs after it.
            QTimer::singleShot(0, [] {
                std::printf("%lld\n", monotonicNs());
                std::fflush(stdout);
                std::_Exit(0);
            });
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    bool m_seen = false;
};

int runChild(const std::string& kind, int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Plimo"));
    FirstPaint watcher;
    app.installEventFilter(&watcher);

    GameController game;
    std::unique_ptr<QMainWindow> window;
    if (kind == "form1" || kind == "game" || kind == "turns" || kind == "thread" ||
        kind == "puzzle") {
        // The real start-up: the store is opened and read.
        auto form = std::make_unique<Form1>(game);
        const QString store =
            kind == "form1" ? QStringLiteral(PLIMO_STORE) : QString::fromLocal8Bit(argv[3]);
        if (!form->startUp(commandLineNaming(store)))
            return 1;
        window = std::move(form);
    } else if (kind == "probe") {
        // The floor of a start-up: the same window and the same store read, without the game's
        // lock, recent games or start-up.
        static GameStore store(QString::fromLocal8Bit(argv[3]));
        if (!store.open())
            return 1;
        const GameSession stored = store.loadGame();
        const StoredAppearance look = store.loadAppearance();
        store.loadHistory();
        window = std::make_unique<Form1>(game);
        const std::pair<const char*, QString> texts[] = {
            {"ref", stored.ref}, {"soluce", stored.soluce}, {"lettres", stored.lettres}};
        for (const auto& [name, text] : texts)
            window->findChild<QPlainTextEdit*>(QString::fromLatin1(name))->setPlainText(text);
        window->findChild<QTextEdit*>(QStringLiteral("propal"))->setPlainText(stored.propal);
        for (Pane pane : kPanes)
            applyPaneStyle(window->findChild<QWidget*>(paneSuffix(pane)),
                           lookOver(designLook(pane), look.lookFor(pane)));
    } else {
        window = std::make_unique<QMainWindow>();
        if (kind == "label")
            window->setCentralWidget(new QLabel(QStringLiteral("Plimo")));
    }
    window->show();
    return QApplication::exec();
}

struct Sample {
    double ms = 0;
    long maxRssKb = 0;
};

bool runOnce(const char* self, const char* kind, Sample& sample)
{
    int out[2];
    if (pipe(out) != 0)
        return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    char childFlag[] = "--child";
    std::string kindArg = kind;
    const std::string name = kind;
    std::string store = name == "game" || name == "probe" ? g_gameStore.toStdString()
                        : name == "turns"                 ? g_turnsStore.toStdString()
                        : name == "thread"                ? g_threadStore.toStdString()
                        : name == "puzzle"                ? g_puzzleStore.toStdString()
                                                          : std::string();
    char* args[] = {const_cast<char*>(self), childFlag, kindArg.data(), store.data(), nullptr};

    pid_t pid = 0;
    const long long start = monotonicNs();
    const int spawned = posix_spawn(&pid, self, &actions, nullptr, args, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        return false;
    }
    char buffer[64] = {};
    const ssize_t n = read(out[0], buffer, sizeof buffer - 1);
    close(out[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    if (n <= 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return false;
    sample.ms = static_cast<double>(std::atoll(buffer) - start) / 1e6;
    sample.maxRssKb = usage.ru_maxrss;
    return true;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && std::strcmp(argv[1], "--child") == 0)
        return runChild(argv[2], argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--make-stores") == 0) {
        QCoreApplication app(argc, argv);
        return makeHistoryStores(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
    }

    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    // The stores are made by a child of their own, so that the memory it takes is not counted
    // in the peaks of the children spawned from this process afterwards.
    QTemporaryDir scratch;
    const std::string folder = scratch.path().toStdString();
    nameStores(scratch.path());
    {
        char makeFlag[] = "--make-stores";
        std::string folderArg = folder;
        char* args[] = {argv[0], makeFlag, folderArg.data(), nullptr};
        pid_t pid = 0;
        int status = 0;
        if (posix_spawn(&pid, "/proc/self/exe", nullptr, nullptr, args, environ) != 0 ||
            waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            std::fprintf(stderr, "cannot make the history stores\n");
            return 1;
        }
    }
    std::array<std::vector<double>, kKinds.size()> times;
    std::array<long, kKinds.size()> peak{};
    for (int round = 0; round < rounds; ++round) {
        // Rotate the order so that no window always runs first after the others warmed caches.
        for (std::size_t k = 0; k < kKinds.size(); ++k) {
            const std::size_t kind = (k + round) % kKinds.size();
            Sample sample;
            if (!runOnce("/proc/self/exe", kKinds[kind], sample)) {
                std::fprintf(stderr, "%s: child failed\n", kKinds[kind]);
                return 1;
            }
            times[kind].push_back(sample.ms);
            peak[kind] = std::max(peak[kind], sample.maxRssKb);
        }
    }

    std::printf("%-6s %12s %14s\n", "window", "median (ms)", "peak RSS (MB)");
    std::array<double, kKinds.size()> medians{};
    for (std::size_t k = 0; k < kKinds.size(); ++k) {
        medians[k] = median(times[k]);
        std::printf("%-6s %12.1f %14.1f\n", kKinds[k], medians[k], peak[k] / 1024.0);
    }
    std::printf("rounds %d; Form1 / bare = %.2f; Form1 / one label = %.2f\n", rounds,
                medians[2] / medians[0], medians[2] / medians[1]);
    std::printf("Form1 with %d turns / the same game without history = %.3f\n", kTurns,
                medians[4] / medians[3]);
    std::printf("Form1 on the game / the probe reading the same store = %.3f\n",
                medians[3] / medians[5]);
    std::printf("Form1 on a thread of %d puzzles / on its last puzzle alone = %.3f\n",
                kThreadPuzzles, medians[6] / medians[7]);
    return 0;
}
