// The game's flow without widgets: start-up, the turn, undo, saving, clearing and quitting.
#include "GameController.h"

#include "ForumPost.h"
#include "GameFiles.h"
#include "LineBreaks.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

const QString kSaved = QStringLiteral("Y");
const QString kNoReferenceToQuit = QStringLiteral(
    "Vus ne pouvez pas quitter le programme sans avoir au moins renseigné le texte de référence");
const QString kUnsavedQuestion =
    QStringLiteral("Vos données n'ont pas été enregistrées.\rVoulez-vous quand même quitter le "
                   "programme ?");

const QString kLeaveQuestion =
    QStringLiteral("Vos données n'ont pas été enregistrées.\rVoulez-vous les enregistrer avant de "
                   "changer de partie ?");
const QString kOpenElsewhere = QStringLiteral("Cette partie est déjà ouverte dans un autre Plimo.");
const QString kRecentGameGone =
    QStringLiteral("Cette partie n'existe plus ; elle est retirée des parties récentes.");

QString nativePath(const QString& path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

Refusal critical(const StoreStatus& status)
{
    return Refusal{status.message(), MessageIcon::Critical};
}

// The game file a chosen name stands for.
QString gameFileFor(const QString& chosen)
{
    return withGameSuffix(QFileInfo(chosen).absoluteFilePath());
}

// A stored text as the panes hold it: every line break, a lone CR or LF included, as CR LF.
QString withCrLfBreaks(const QString& text)
{
    return withLineBreaks(text, u"\r\n");
}

} // namespace

GameController::GameController() : m_store(std::make_unique<GameStore>(QString())) {}

GameController::~GameController() = default;

bool GameController::isSaved() const
{
    return m_engine.markers().save == kSaved;
}

StoreStatus GameController::startUp(const QString& storePath, StoreOptions options)
{
    return load(storePath, options);
}

StoreStatus GameController::lockFor(const QString& path, GameLock& lock)
{
    switch (lock.take(path)) {
    case GameLock::Outcome::Taken:
        return StoreStatus::success();
    case GameLock::Outcome::HeldElsewhere:
        return StoreStatus::failure(kOpenElsewhere + QLatin1Char('\r') + nativePath(path));
    case GameLock::Outcome::Failed:
        break;
    }
    return StoreStatus::failure(lock.failureReason() + QLatin1Char('\r') + nativePath(path));
}

StoreStatus GameController::load(const QString& path, StoreOptions options, bool* fileRefused)
{
    GameLock lock;
    if (const StoreStatus locked = lockFor(path, lock); !locked)
        return locked;
    auto store = std::make_unique<GameStore>(path, options);
    const StoreStatus opened = store->open();
    if (!opened) {
        if (fileRefused)
            *fileRefused = true;
        return opened;
    }
    m_store = std::move(store);
    m_lock = lock;
    m_engine = PuzzleEngine();
    m_conflictWord.clear();
    // Through the controller's store, which a save under another name replaces.
    m_history.setCutListener([this](qsizetype size) { m_store->historyCut(size); });

    m_rankingInPost = m_store->loadRankingInPost();
    m_player.clear();
    forgetTally();

    m_session = m_store->loadGame();
    m_session.lettres_trouvees = QStringLiteral("0");
    for (QString* text : {&m_session.ref, &m_session.soluce, &m_session.propal, &m_session.lettres})
        *text = withCrLfBreaks(*text);
    // Loading the stored proposal is a change of the proposal like any other.
    m_engine.proposalChanged();

    // A history that is unreadable or belongs to another game is not used: the history starts
    // from the game as loaded, and the next save writes the table anew. The found count is not
    // stored with the game; a history of this game knows the last turn's.
    std::optional<StoredHistory> stored = m_store->loadHistory();
    const bool storedHistoryUsable = stored && historyTiesWith(stored->latest, m_session);
    if (storedHistoryUsable)
        m_session.lettres_trouvees = QString::number(stored->latest.last().trouvees);
    m_engine.acceptAsLastTurn(m_session);
    if (storedHistoryUsable) {
        m_history.load(
            std::move(stored->latest), stored->first,
            [this](qsizetype from, qsizetype to) { return m_store->loadTurns(from, to); });
    } else {
        startHistory();
    }
    m_recent.add(m_store->path());
    return opened;
}

StoreStatus GameController::startUp(const StoreLocationInputs& inputs)
{
    StoreLocationInputs candidates = inputs;
    for (;;) {
        const StoreLocation location = locateStore(candidates);
        if (!location.ok())
            return StoreStatus::failure(location.failure);
        bool fileRefused = false;
        const StoreStatus opened = load(location.path, {}, &fileRefused);
        // A damaged game the master opened last must not keep every later start from working.
        if (opened || location.recent < 0 || !fileRefused)
            return opened;
        candidates.recentGames.removeAt(location.recent);
    }
}

QString GameController::leaveQuestion() const
{
    return m_session.ref.isEmpty() || isSaved() ? QString() : kLeaveQuestion;
}

std::optional<Refusal> GameController::openGame(const QString& path)
{
    const StoreStatus opened = load(QFileInfo(path).absoluteFilePath(), {});
    if (!opened)
        return critical(opened);
    return std::nullopt;
}

std::optional<Refusal> GameController::newGame(const QString& chosen)
{
    const QString path = gameFileFor(chosen);
    if (nameTaken(path))
        return Refusal{nameTakenMessage(path), MessageIcon::Warning};
    if (const StoreStatus made = createEmptyGame(path, designLookFields()); !made)
        return critical(made);
    return openGame(path);
}

std::optional<Refusal> GameController::saveGameAs(const QString& chosen)
{
    const QString path = gameFileFor(chosen);
    if (nameTaken(path))
        return Refusal{nameTakenMessage(path), MessageIcon::Warning};
    GameLock lock;
    if (const StoreStatus locked = lockFor(path, lock); !locked)
        return critical(locked);
    const StoreStatus copied = copyGame(
        *m_store, path, [this](GameStore& copy) { return copy.saveGame(m_session, m_history); });
    if (!copied)
        return critical(copied);
    auto store = std::make_unique<GameStore>(path);
    if (const StoreStatus opened = store->open(); !opened)
        return critical(opened);
    // The new file holds the whole history.
    store->copiedWith(m_history.size());
    m_store = std::move(store);
    m_lock = lock;
    m_engine.markers().save = kSaved;
    m_recent.add(path);
    return std::nullopt;
}

std::optional<Refusal> GameController::checkRecentGame(const QString& path)
{
    if (QFileInfo::exists(path))
        return std::nullopt;
    m_recent.remove(path);
    return Refusal{kRecentGameGone + QLatin1Char('\r') + nativePath(path), MessageIcon::Warning};
}

void GameController::startHistory()
{
    m_tally.emplace();
    m_ranking.reset();
    m_history.restart(turnOf(m_session, QString()));
}

void GameController::referenceEdited(const QString& text)
{
    m_session.ref = text;
}

void GameController::proposalEdited(const QString& text)
{
    setProposal(text);
}

void GameController::remainingLettersEdited(const QString& text)
{
    m_session.lettres = text;
}

// Every change of the proposal's text, whoever makes it, leaves the game unsaved.
void GameController::setProposal(const QString& text)
{
    if (text == m_session.propal)
        return;
    m_session.propal = text;
    m_engine.proposalChanged();
}

void GameController::referenceLeft()
{
    m_session.ref = PuzzleEngine::normaliseReference(m_session.ref);
}

void GameController::proposalLeft()
{
    if (!m_session.propal.isEmpty())
        setProposal(PuzzleEngine::normaliseProposal(m_session.propal));
}

void GameController::clearProposal()
{
    setProposal(QString());
}

void GameController::pasteIntoEmptyProposal(const QString& clipboardText)
{
    if (m_session.propal.isEmpty())
        setProposal(clipboardText);
}

std::optional<Refusal> GameController::initialise()
{
    if (std::optional<Refusal> refusal = m_engine.initialisePuzzle(m_session))
        return refusal;
    startHistory();
    return std::nullopt;
}

EvaluationResult GameController::generate()
{
    const EvaluationResult result = m_engine.evaluateProposal(m_session);
    if (result.refusal)
        return result;
    m_conflictWord = result.conflict ? result.conflict->proposalWord : QString();
    if (result.conflict)
        return result;
    const qsizetype number = m_history.size();
    Turn turn = turnOf(m_session, m_session.propal);
    // Turn 0 credits nobody.
    const QString player = number > 0 ? cleanPlayerName(m_player) : QString();
    if (!player.isEmpty()) {
        turn.joueur = tally().spelling(player);
        tally().add(turn.joueur, turn.trouvees, number);
        m_ranking.reset();
    }
    m_history.append(turn);
    // The next proposal is not credited to the same player by mistake.
    m_player.clear();
    return result;
}

TextRange GameController::conflictSelection() const
{
    const qsizetype length = m_session.propal.size();
    const qsizetype start = std::clamp<qsizetype>(m_engine.conflictPosition() - 1, 0, length);
    return {start, std::min(start + m_conflictWord.size(), length)};
}

QString GameController::forumPost()
{
    // A ranking read anew drops the post built with the one before.
    if (m_rankingInPost)
        ranking();
    PostInputs inputs{m_session.soluce, m_session.lettres_trouvees, m_session.lettres_restantes,
                      m_session.lettres, m_rankingInPost};
    if (!m_post || m_post->inputs != inputs) {
        QString post = buildForumPost(inputs.foundText, inputs.foundCount, inputs.remainingCount,
                                      inputs.remainingLetters);
        if (inputs.ranking)
            post += rankingBlock(*m_ranking);
        m_post = BuiltPost{std::move(inputs), std::move(post)};
    }
    return m_post->text;
}

void GameController::playerEdited(const QString& typed)
{
    m_player = typed;
}

QStringList GameController::players()
{
    return tally().players();
}

const QList<PlayerStanding>& GameController::ranking()
{
    if (!m_ranking) {
        m_ranking = tally().ranking();
        m_post.reset();
    }
    return *m_ranking;
}

bool GameController::setTurnPlayer(qsizetype number, const QString& typed)
{
    const QList<Turn>& turns = m_history.all();
    const qsizetype first = m_history.firstAtHand();
    if (number < std::max<qsizetype>(1, first) || number >= m_history.size())
        return false;
    QString player = cleanPlayerName(typed);
    // The spelling a player first played under is kept.
    if (!player.isEmpty()) {
        const QString key = playerKey(player);
        for (qsizetype i = std::max<qsizetype>(1, first); i < number; ++i) {
            const QString& earlier = turns[i - first].joueur;
            if (!earlier.isEmpty() && playerKey(earlier) == key) {
                player = earlier;
                break;
            }
        }
    }
    if (turns[number - first].joueur == player)
        return true;
    m_history.setPlayer(number, player);
    m_engine.markers().save.clear();
    forgetTally();
    return true;
}

StoreStatus GameController::setRankingInPost(bool shown)
{
    const StoreStatus stored = m_store->storeRankingInPost(shown);
    if (stored)
        m_rankingInPost = shown;
    return stored;
}

PlayerTally& GameController::tally()
{
    if (!m_tally) {
        m_tally.emplace();
        // Turn 0 is the puzzle as initialised: it credits nobody. The turns still in the store
        // are read for their players and counts alone; where that fails, the history reads
        // them whole, as far as it can.
        const qsizetype stored = m_history.firstAtHand();
        std::optional<QList<TurnCredit>> credits;
        if (stored > 1)
            credits = m_store->loadCredits(1, stored);
        if (credits) {
            for (qsizetype i = 0; i < credits->size(); ++i)
                m_tally->add((*credits)[i].joueur, (*credits)[i].trouvees, i + 1);
        } else {
            m_history.all();
        }
        for (qsizetype i = std::max<qsizetype>(1, m_history.firstAtHand()); i < m_history.size();
             ++i)
            m_tally->add(m_history.atHand(i).joueur, m_history.atHand(i).trouvees, i);
    }
    return *m_tally;
}

void GameController::forgetTally()
{
    m_tally.reset();
    m_ranking.reset();
}

bool GameController::undoLastTurn()
{
    if (!canUndo())
        return false;
    const QString undoneProposal = m_history.last().propal;
    const QString undonePlayer = m_history.last().joueur;
    if (!m_history.dropLast())
        return false;
    m_player = undonePlayer;
    if (!undonePlayer.isEmpty())
        forgetTally();
    const Turn& back = m_history.last();
    m_session.soluce = back.result;
    m_session.lettres = back.lettres;
    m_session.lettres_trouvees = QString::number(back.trouvees);
    m_session.lettres_restantes = QString::number(back.restantes);
    // A turn of a table written by another program may hold lone line breaks; the pane cannot.
    setProposal(withCrLfBreaks(undoneProposal));
    m_engine.acceptAsLastTurn(m_session);
    // An undo changes the game even when the proposal comes back unchanged.
    m_engine.markers().save.clear();
    return true;
}

std::optional<Refusal> GameController::save()
{
    if (m_session.ref.isEmpty())
        return Refusal{messages::kNoReference, MessageIcon::Critical};
    const StoreStatus saved = m_store->saveGame(m_session, m_history);
    if (!saved)
        return Refusal{saved.message(), MessageIcon::Critical};
    m_engine.markers().save = kSaved;
    return std::nullopt;
}

StoredAppearance GameController::storedAppearance() const
{
    return m_store->loadAppearance();
}

StoreStatus GameController::storeColour(Pane pane, PaneProperty property, StoredColour value)
{
    return m_store->writeColour(pane, property, value);
}

StoreStatus GameController::storeFont(Pane pane, const FontChoice& font)
{
    return m_store->writeFont(pane, font);
}

void GameController::clearPage()
{
    m_session.ref.clear();
    m_session.soluce.clear();
    setProposal(QString());
    m_session.lettres.clear();
    m_session.lettres_restantes = QStringLiteral("0");
    m_history.clear();
    m_tally.emplace();
    m_ranking.reset();
}

QuitDecision GameController::requestQuit()
{
    if (m_session.ref.isEmpty())
        return {QuitDecision::Kind::Refuse, kNoReferenceToQuit, MessageIcon::Warning};
    if (isSaved()) {
        m_store->close();
        return {};
    }
    return {QuitDecision::Kind::Ask, kUnsavedQuestion, MessageIcon::Question};
}

QuitDecision GameController::closeRequested() const
{
    if (m_session.ref.isEmpty() || isSaved())
        return {};
    return {QuitDecision::Kind::Ask, kUnsavedQuestion, MessageIcon::Question};
}
