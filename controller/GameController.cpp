// The master's acts on the game: each runs as one act, at whose end the controller announces what
// changed. The game's file and its players are kept by GameFile and PlayerBoard.
#include "GameController.h"

#include "ForumPost.h"
#include "GameFile.h"
#include "GameStore.h"
#include "LineBreaks.h"
#include "PlayerBoard.h"
#include "StoreLocation.h"

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

// A stored text as the panes hold it: every line break, a lone CR or LF included, as CR LF.
QString withCrLfBreaks(const QString& text)
{
    return withLineBreaks(text, u"\r\n");
}

std::optional<Refusal> refusalOf(const StoreStatus& status)
{
    if (status)
        return std::nullopt;
    return Refusal{status.message(), MessageIcon::Critical};
}

} // namespace

// One act of the master. Acts nest (a save inside a leave); the outermost announces.
class GameController::Act {
  public:
    explicit Act(GameController& game) : m_game(game)
    {
        if (m_game.m_acts++ == 0)
            m_before = m_game.shown();
    }
    ~Act()
    {
        if (--m_game.m_acts == 0)
            m_game.announce(m_before);
    }
    Act(const Act&) = delete;
    Act& operator=(const Act&) = delete;

  private:
    GameController& m_game;
    Shown m_before;
};

GameController::GameController(QObject* parent)
    : QObject(parent), m_file(std::make_unique<GameFile>()),
      m_board(std::make_unique<PlayerBoard>(m_history, [this](qsizetype firstAtHand) {
          return m_file->store().loadCredits(1, firstAtHand);
      }))
{
    // Through the file's store, which a save under another name replaces.
    m_history.setCutListener([this](qsizetype size) { m_file->store().historyCut(size); });
}

GameController::~GameController() = default;

bool GameController::isModified() const
{
    return m_engine.markers().save != kSaved;
}

QStringList GameController::players()
{
    return m_board->players();
}

const QList<PlayerStanding>& GameController::ranking()
{
    return m_board->ranking();
}

QString GameController::gamePath() const
{
    return m_file->path();
}

StoredAppearance GameController::storedAppearance() const
{
    return m_file->store().loadAppearance();
}

TextRange GameController::conflictSelection() const
{
    const qsizetype length = m_session.propal.size();
    const qsizetype start = std::clamp<qsizetype>(m_engine.conflictPosition() - 1, 0, length);
    return {start, std::min(start + m_conflictWord.size(), length)};
}

QString GameController::forumPost()
{
    PostInputs inputs{m_session.soluce, m_session.lettres_trouvees, m_session.lettres_restantes,
                      m_session.lettres, m_rankingInPost};
    const QList<PlayerStanding> ranking = m_rankingInPost ? m_board->ranking() : QList<PlayerStanding>();
    if (!m_post || m_post->inputs != inputs || m_post->ranking != ranking) {
        QString post = buildForumPost(inputs.foundText, inputs.foundCount, inputs.remainingCount,
                                      inputs.remainingLetters);
        if (inputs.ranking)
            post += rankingBlock(ranking);
        m_post = BuiltPost{std::move(inputs), ranking, std::move(post)};
    }
    return m_post->text;
}

QStringList GameController::recentGames()
{
    return m_file->recentGames();
}

std::optional<Refusal> GameController::startUp(const QString& path)
{
    Act act(*this);
    std::optional<Refusal> refused = m_file->open(path);
    if (!refused)
        loadGame();
    return refused;
}

std::optional<Refusal> GameController::startUp(const StoreLocationInputs& inputs)
{
    Act act(*this);
    std::optional<Refusal> refused = m_file->openAtStartUp(inputs);
    if (!refused)
        loadGame();
    return refused;
}

bool GameController::leave(LeaveWay way, const Asker& ask)
{
    Act act(*this);
    const bool nothingToLose = m_session.ref.isEmpty() || !isModified();
    if (way == LeaveWay::OtherGame) {
        if (nothingToLose)
            return true;
        switch (ask({kLeaveQuestion, MessageIcon::Question, Question::Buttons::YesNoCancel})) {
        case Answer::Yes:
            if (std::optional<Refusal> refused = save()) {
                ask({refused->text, refused->icon, Question::Buttons::Ok});
                return false;
            }
            return true;
        case Answer::No:
            return true;
        case Answer::Cancel:
            break;
        }
        return false;
    }
    if (way == LeaveWay::Quit && m_session.ref.isEmpty()) {
        ask({kNoReferenceToQuit, MessageIcon::Warning, Question::Buttons::Ok});
        return false;
    }
    if (!nothingToLose &&
        ask({kUnsavedQuestion, MessageIcon::Question, Question::Buttons::YesNo}) != Answer::Yes)
        return false;
    m_file->close();
    return true;
}

std::optional<Refusal> GameController::openGame(const QString& path)
{
    Act act(*this);
    std::optional<Refusal> refused = m_file->open(QFileInfo(path).absoluteFilePath());
    if (!refused)
        loadGame();
    return refused;
}

std::optional<Refusal> GameController::newGame(const QString& chosen)
{
    Act act(*this);
    QString path;
    if (std::optional<Refusal> refused = m_file->makeNew(chosen, &path))
        return refused;
    return openGame(path);
}

std::optional<Refusal> GameController::saveGameAs(const QString& chosen)
{
    Act act(*this);
    tidyPanes();
    const auto write = [this](GameStore& copy) { return copy.saveGame(m_session, m_history); };
    if (std::optional<Refusal> refused = m_file->saveAs(chosen, write, m_history.size()))
        return refused;
    setSaved(true);
    m_events.gameOpened = true;
    return std::nullopt;
}

std::optional<Refusal> GameController::checkRecentGame(const QString& path)
{
    return m_file->checkRecentGame(path);
}

void GameController::loadGame()
{
    GameStore& store = m_file->store();
    m_engine = PuzzleEngine();
    m_conflictWord.clear();
    m_rankingInPost = store.loadRankingInPost();
    m_player.clear();
    m_referenceUntidy = m_proposalUntidy = false;
    m_board->forget();
    m_events.gameOpened = m_events.historyReset = m_events.players = true;

    m_session = store.loadGame();
    for (QString* text : {&m_session.ref, &m_session.soluce, &m_session.propal, &m_session.lettres})
        *text = withCrLfBreaks(*text);
    // Loading the stored proposal is a change of the proposal like any other.
    m_engine.proposalChanged();

    // A history that is unreadable or belongs to another game is not used: the history starts
    // from the game as loaded, and the next save writes the table anew. The found count is not
    // stored with the game; a history of this game knows the last turn's.
    std::optional<StoredHistory> stored = store.loadHistory();
    const bool usable = stored && historyTiesWith(stored->latest, m_session);
    if (usable)
        m_session.lettres_trouvees = QString::number(stored->latest.last().trouvees);
    m_engine.acceptAsLastTurn(m_session);
    if (usable) {
        m_history.load(std::move(stored->latest), stored->first,
                       [this](qsizetype from, qsizetype to) {
                           return m_file->store().loadTurns(from, to);
                       });
    } else {
        restartHistory();
    }
}

void GameController::restartHistory()
{
    m_board->restart();
    m_history.restart(turnOf(m_session, QString()));
    m_events.historyReset = m_events.players = true;
}

void GameController::referenceEdited(const QString& text)
{
    Act act(*this);
    if (text == m_session.ref)
        return;
    m_session.ref = text;
    m_referenceUntidy = true;
}

void GameController::proposalEdited(const QString& text)
{
    Act act(*this);
    if (text != m_session.propal)
        m_proposalUntidy = true;
    setProposal(text);
}

void GameController::remainingLettersEdited(const QString& text)
{
    Act act(*this);
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

void GameController::setSaved(bool saved)
{
    m_engine.markers().save = saved ? kSaved : QString();
}

void GameController::referenceLeft()
{
    Act act(*this);
    m_referenceUntidy = false;
    m_session.ref = PuzzleEngine::normaliseReference(m_session.ref);
}

void GameController::proposalLeft()
{
    Act act(*this);
    m_proposalUntidy = false;
    if (!m_session.propal.isEmpty())
        setProposal(PuzzleEngine::normaliseProposal(m_session.propal));
}

void GameController::tidyPanes()
{
    if (m_referenceUntidy)
        referenceLeft();
    if (m_proposalUntidy)
        proposalLeft();
}

void GameController::clearProposal()
{
    Act act(*this);
    setProposal(QString());
}

void GameController::pasteIntoEmptyProposal(const QString& clipboardText)
{
    Act act(*this);
    if (m_session.propal.isEmpty())
        setProposal(clipboardText);
}

std::optional<Refusal> GameController::initialise()
{
    Act act(*this);
    if (std::optional<Refusal> refusal = m_engine.initialisePuzzle(m_session))
        return refusal;
    restartHistory();
    return std::nullopt;
}

EvaluationResult GameController::generate()
{
    Act act(*this);
    const EvaluationResult result = m_engine.evaluateProposal(m_session);
    if (result.refusal)
        return result;
    m_conflictWord = result.conflict ? result.conflict->proposalWord : QString();
    if (result.conflict) {
        m_events.conflict = result.conflict;
        return result;
    }
    const qsizetype number = m_history.size();
    Turn turn = turnOf(m_session, m_session.propal);
    // Turn 0 credits nobody.
    if (number > 0)
        turn.joueur = m_board->spellingFor(m_player, number);
    m_board->credit(turn.joueur, turn.trouvees, number);
    m_history.append(turn);
    m_events.turns.append({&GameController::turnPlayed, number});
    m_events.players = m_events.players || !turn.joueur.isEmpty();
    // The next proposal is not credited to the same player by mistake.
    m_player.clear();
    return result;
}

void GameController::playerEdited(const QString& typed)
{
    Act act(*this);
    m_player = typed;
}

bool GameController::setTurnPlayer(qsizetype number, const QString& typed)
{
    Act act(*this);
    if (number < std::max<qsizetype>(1, m_history.firstAtHand()) || number >= m_history.size())
        return false;
    const QString player = m_board->spellingFor(typed, number);
    if (m_history.atHand(number).joueur == player)
        return true;
    m_history.setPlayer(number, player);
    setSaved(false);
    m_board->forget();
    m_events.turns.append({&GameController::turnCorrected, number});
    m_events.players = true;
    return true;
}

std::optional<Refusal> GameController::setRankingInPost(bool shown)
{
    Act act(*this);
    std::optional<Refusal> refused = refusalOf(m_file->store().storeRankingInPost(shown));
    if (!refused)
        m_rankingInPost = shown;
    return refused;
}

bool GameController::undoLastTurn()
{
    Act act(*this);
    if (!canUndo())
        return false;
    const QString undoneProposal = m_history.last().propal;
    const QString undonePlayer = m_history.last().joueur;
    if (!m_history.dropLast())
        return false;
    m_events.turns.append({&GameController::turnUndone, m_history.size()});
    m_player = undonePlayer;
    if (!undonePlayer.isEmpty()) {
        m_board->forget();
        m_events.players = true;
    }
    const Turn& back = m_history.last();
    m_session.soluce = back.result;
    m_session.lettres = back.lettres;
    m_session.lettres_trouvees = QString::number(back.trouvees);
    m_session.lettres_restantes = QString::number(back.restantes);
    // A turn of a table written by another program may hold lone line breaks; the pane cannot.
    setProposal(withCrLfBreaks(undoneProposal));
    m_engine.acceptAsLastTurn(m_session);
    // An undo changes the game even when the proposal comes back unchanged.
    setSaved(false);
    return true;
}

std::optional<Refusal> GameController::save()
{
    Act act(*this);
    tidyPanes();
    if (m_session.ref.isEmpty())
        return Refusal{messages::kNoReference, MessageIcon::Critical};
    std::optional<Refusal> refused = refusalOf(m_file->store().saveGame(m_session, m_history));
    if (!refused)
        setSaved(true);
    return refused;
}

std::optional<Refusal> GameController::storeColour(Pane pane, PaneProperty property,
                                                   StoredColour value)
{
    return refusalOf(m_file->store().writeColour(pane, property, value));
}

std::optional<Refusal> GameController::storeFont(Pane pane, const FontChoice& font)
{
    return refusalOf(m_file->store().writeFont(pane, font));
}

void GameController::clearPage()
{
    Act act(*this);
    m_session.ref.clear();
    m_session.soluce.clear();
    setProposal(QString());
    m_session.lettres.clear();
    m_session.lettres_restantes = QStringLiteral("0");
    m_history.clear();
    m_board->restart();
    m_events.historyReset = m_events.players = true;
}

GameController::Shown GameController::shown() const
{
    return {m_session, isModified(), m_player, canUndo(), m_rankingInPost};
}

void GameController::announce(const Shown& before)
{
    const Events events = std::exchange(m_events, {});
    // A game just opened goes into the recent games at the master's first act on it.
    if (!events.gameOpened)
        m_file->settle();
    const Shown now = shown();
    if (events.gameOpened)
        Q_EMIT gameOpened(gamePath());
    SessionFields changed;
    const auto compare = [&](QString GameSession::*field, SessionField flag) {
        if (events.gameOpened || before.session.*field != now.session.*field)
            changed |= flag;
    };
    compare(&GameSession::ref, SessionField::Ref);
    compare(&GameSession::soluce, SessionField::Soluce);
    compare(&GameSession::propal, SessionField::Propal);
    compare(&GameSession::lettres, SessionField::Lettres);
    compare(&GameSession::lettres_restantes, SessionField::RemainingCount);
    compare(&GameSession::lettres_trouvees, SessionField::FoundCount);
    if (changed)
        Q_EMIT sessionChanged(changed);
    if (before.modified != now.modified)
        Q_EMIT modifiedChanged(now.modified);
    if (events.gameOpened || before.player != now.player)
        Q_EMIT playerChanged(now.player);
    if (events.historyReset)
        Q_EMIT historyReset();
    for (const auto& [signal, number] : events.turns)
        (this->*signal)(number);
    if (events.gameOpened || before.canUndo != now.canUndo)
        Q_EMIT undoAvailableChanged(now.canUndo);
    if (events.gameOpened || before.rankingInPost != now.rankingInPost)
        Q_EMIT rankingInPostChanged(now.rankingInPost);
    if (events.players)
        Q_EMIT playersChanged();
    if (events.conflict)
        Q_EMIT conflictFound(*events.conflict);
}
