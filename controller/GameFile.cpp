// The game file's life: its lock, its store and the recent games.
#include "GameFile.h"

#include "GameFiles.h"
#include "GameStore.h"
#include "LineBreaks.h"
#include "StoreError.h"
#include "StoreLocation.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString kOpenElsewhere = QStringLiteral("Cette partie est déjà ouverte dans un autre Plimo.");
const QString kRecentGameGone =
    QStringLiteral("Cette partie n'existe plus ; elle est retirée des parties récentes.");

Refusal critical(const StoreStatus& status)
{
    return Refusal{status.message(), MessageIcon::Critical};
}

std::optional<Refusal> refusalOf(const StoreStatus& status)
{
    if (status)
        return std::nullopt;
    return critical(status);
}

Refusal critical(const QString& reason, const QString& path)
{
    return Refusal{reason + QLatin1Char('\r') + nativePath(path), MessageIcon::Critical};
}

// The lock of the game at the path, or why it cannot be had.
std::optional<Refusal> lockFor(const QString& path, GameLock& lock)
{
    switch (lock.take(path)) {
    case GameLock::Outcome::Taken:
        return std::nullopt;
    case GameLock::Outcome::HeldElsewhere:
        return critical(kOpenElsewhere, path);
    case GameLock::Outcome::Failed:
        break;
    }
    return critical(lock.failureReason(), path);
}

// The game file a chosen name stands for, or the warning that the name is taken.
std::optional<Refusal> freeGameFile(const QString& chosen, QString* path)
{
    *path = withGameSuffix(QFileInfo(chosen).absoluteFilePath());
    if (nameTaken(*path))
        return Refusal{nameTakenMessage(*path), MessageIcon::Warning};
    return std::nullopt;
}

} // namespace

GameFile::GameFile() : m_store(std::make_unique<GameStore>(QString())) {}

GameFile::~GameFile() = default;

QString GameFile::path() const
{
    return m_store->path();
}

bool GameFile::isOpen() const
{
    return m_store->isOpen();
}

std::optional<Refusal> GameFile::open(const QString& path, bool* fileRefused)
{
    return open(path, fileRefused, false);
}

std::optional<Refusal> GameFile::open(const QString& path, bool* fileRefused, bool atStartUp)
{
    GameLock lock;
    if (std::optional<Refusal> refused = lockFor(path, lock))
        return refused;
    auto store = std::make_unique<GameStore>(path);
    if (const StoreStatus status = store->open(); !status) {
        if (fileRefused)
            *fileRefused = true;
        return critical(status);
    }
    opened(std::move(store), lock, atStartUp);
    return std::nullopt;
}

std::optional<Refusal> GameFile::openAtStartUp(const StoreLocationInputs& inputs)
{
    StoreLocationInputs candidates = inputs;
    for (;;) {
        const StoreLocation location = locateStore(candidates);
        if (!location.ok())
            return Refusal{location.failure, MessageIcon::Critical};
        bool fileRefused = false;
        std::optional<Refusal> refused = open(location.path, &fileRefused, true);
        // A damaged game the master opened last must not keep every later start from working.
        if (!refused || location.recent < 0 || !fileRefused)
            return refused;
        candidates.recentGames.removeAt(location.recent);
    }
}

std::optional<Refusal> GameFile::makeNew(const QString& chosen, Forum forum, bool rankingInPost,
                                         Rules rules,
                                         QString* made)
{
    if (std::optional<Refusal> taken = freeGameFile(chosen, made))
        return taken;
    if (const StoreStatus status =
            createEmptyGame(*made, designLookFields(), forum, rankingInPost, rules);
        !status)
        return critical(status);
    return std::nullopt;
}

std::optional<Refusal> GameFile::saveAs(const QString& chosen, const GameSession& game,
                                        const TurnHistory& history, const ThreadChanges& thread)
{
    QString path;
    if (std::optional<Refusal> taken = freeGameFile(chosen, &path))
        return taken;
    GameLock lock;
    if (std::optional<Refusal> refused = lockFor(path, lock))
        return refused;
    const auto write = [&](GameStore& copy) { return copy.saveGame(game, history, thread); };
    if (const StoreStatus copied = copyGame(*m_store, path, write); !copied)
        return critical(copied);
    auto store = std::make_unique<GameStore>(path);
    if (const StoreStatus status = store->open(); !status)
        return critical(status);
    // The new file holds the whole history; the old file's record of unsaved work is saved in it.
    store->holds({history.size(), {}});
    m_store->dropRecovery();
    opened(std::move(store), lock);
    return std::nullopt;
}

void GameFile::opened(std::unique_ptr<GameStore> store, const GameLock& lock, bool atStartUp)
{
    // The game left goes into the recent games, if its start-up left it out until now.
    settle();
    m_store = std::move(store);
    m_lock = lock;
    m_recentPending = true;
    if (!atStartUp)
        settle();
}

StoredGame GameFile::load()
{
    const GameStore::ReadTogether together(*m_store);
    StoredGame game{m_store->loadGame(),       m_store->loadRankingInPost(),
                    m_store->loadForum(),      m_store->loadHistory(),
                    {},                        m_store->loadRules(),
                    !m_store->matchesItsSave(), {}};
    GameSession& session = game.session;
    // Every line break, a lone CR or LF included, as CR LF.
    for (QString* text : {&session.ref, &session.soluce, &session.propal, &session.lettres})
        *text = withLineBreaks(*text, u"\r\n");
    // A history that is unreadable or belongs to another game is not used: the history starts
    // from the game as loaded, and the next save writes the table anew. The found count is not
    // stored with the game; a history of this game knows the last turn's.
    if (game.history && !historyTiesWith(game.history->latest, session))
        game.history.reset();
    if (game.history)
        session.lettres_trouvees = game.history->latest.last().trouvees;
    return game;
}

StoredAppearance GameFile::appearance() const
{
    return m_store->loadAppearance();
}

std::optional<Refusal> GameFile::save(const GameSession& game, const TurnHistory& history,
                                      const ThreadChanges& thread)
{
    return refusalOf(m_store->saveGame(game, history, thread));
}

std::optional<Refusal> GameFile::storeRankingInPost(bool shown)
{
    return refusalOf(m_store->storeRankingInPost(shown));
}

std::optional<Refusal> GameFile::storeForum(Forum forum)
{
    return refusalOf(m_store->storeForum(forum));
}

std::optional<Refusal> GameFile::storeRules(const Rules& rules)
{
    return refusalOf(m_store->storeRules(rules));
}

std::optional<Refusal> GameFile::storeColour(Pane pane, PaneProperty property, StoredColour value)
{
    return refusalOf(m_store->writeColour(pane, property, value));
}

std::optional<Refusal> GameFile::storeFont(Pane pane, const FontChoice& font)
{
    return refusalOf(m_store->writeFont(pane, font));
}

std::optional<QList<Turn>> GameFile::loadTurns(qsizetype from, qsizetype to) const
{
    return m_store->loadTurns(from, to);
}

std::optional<QList<TurnCredit>> GameFile::loadCredits(qsizetype from, qsizetype to) const
{
    return m_store->loadCredits(from, to);
}

std::optional<PlayedTurn> GameFile::latestPlaying(const QString& proposal, qsizetype before) const
{
    return m_store->latestPlaying(proposal, before);
}

void GameFile::historyCut(qsizetype size)
{
    m_store->historyCut(size);
}

void GameFile::turnChanged(qsizetype number)
{
    m_store->turnChanged(number);
}

QString GameFile::newGameFolder() const
{
    StoreLocationInputs inputs;
    inputs.xdgDataHome = qEnvironmentVariable("XDG_DATA_HOME");
    inputs.home = qEnvironmentVariable("HOME");
    return ::newGameFolder(path(), inputs,
                           QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

QStringList GameFile::recentGames() const
{
    QStringList paths = m_recent.paths();
    if (m_recentPending) {
        const QString open = QDir::cleanPath(QFileInfo(path()).absoluteFilePath());
        paths.removeAll(open);
        paths.prepend(open);
    }
    return paths.mid(0, RecentGames::kMaxGames);
}

std::optional<Refusal> GameFile::checkRecentGame(const QString& path)
{
    if (QFileInfo::exists(path))
        return std::nullopt;
    settle();
    m_recent.remove(path);
    return Refusal{kRecentGameGone + QLatin1Char('\r') + nativePath(path), MessageIcon::Warning};
}

void GameFile::settle()
{
    if (!m_recentPending)
        return;
    m_recentPending = false;
    m_recent.add(m_store->path());
}

void GameFile::close()
{
    settle();
    m_store->close();
}
