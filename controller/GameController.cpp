// The master's acts on the game: each runs as one act, at whose end the controller announces what
// changed. The game's file and its players are kept by GameFile and PlayerBoard.
#include "GameController.h"

#include "GameStore.h"
#include "LineBreaks.h"
#include "StoreLocation.h"
#include "TurnGuard.h"

#include <QFileInfo>

#include <algorithm>

namespace {

const QString kAlteredGame =
    QStringLiteral("Cette partie a été modifiée hors de Plimo, ou son fichier est abîmé : ce qui "
                   "s'affiche peut différer du dernier enregistrement.");

} // namespace

GameController::GameController(QObject* parent)
    : QObject(parent),
      m_board(m_history,
              [this](qsizetype firstAtHand) { return m_file.loadCredits(1, firstAtHand); }),
      m_recovery(m_file, m_history), m_announcer(*this)
{
    // Through the file's store, which a save under another name replaces.
    m_history.setListeners([this](qsizetype size) { m_file.historyCut(size); },
                           [this](qsizetype number) { m_file.turnChanged(number); });
    connect(this, &GameController::actEnded, this, &GameController::keep);
}

void GameController::keep(const Announcer::Ending& ending)
{
    // A game just opened goes into the recent games at the master's first act.
    if (ending.changed && !ending.gameOpened)
        m_file.settle();
    if (std::optional<Refusal> failure = m_recovery.actEnded(ending, shownGame()))
        Q_EMIT recoveryFailed(*failure);
}

RecoveryRecord GameController::shownGame() const
{
    return {m_session, m_player, 0, 0, false, m_thread.changes()};
}

const QList<Turn>& GameController::turns()
{
    const bool couldUndo = canUndo();
    const QList<Turn>& all = m_history.all();
    // Inside an act the act's end tells it.
    if (canUndo() != couldUndo && !m_announcer.acting())
        Q_EMIT undoAvailableChanged(canUndo());
    return all;
}

// Every act that changes what the post reads (the session, the turns and their players, the
// options, the thread) moves the announcer's revision.
const ForumPost& GameController::post()
{
    return m_post.post(m_announcer.revision(), [this] {
        PostExtras extras;
        if (m_history.size() > 1 && m_history.last().restantes == 0) {
            extras.winningTurn = m_history.size() - 1;
            extras.winner = m_history.last().joueur;
        }
        if (m_rankingInPost) {
            extras.ranking = &m_board.ranking();
            // Only a won puzzle's post gives the thread's ranking: a turn's post does not read it.
            if (m_session.lettres_restantes == 0) {
                extras.threadRanking = &threadRanking();
                extras.puzzles = m_thread.pastCount() + 1;
            }
        }
        return ::forumPost(m_forum, m_session, extras);
    });
}

GameController::~GameController() = default;

TextRange GameController::conflictSelection() const
{
    const qsizetype length = m_session.propal.size();
    if (!m_conflict)
        return {0, 0};
    const qsizetype start = std::clamp<qsizetype>(m_conflict->position - 1, 0, length);
    return {start, std::min(start + m_conflict->proposalWord.size(), length)};
}

std::optional<Refusal> GameController::startUp(const StoreLocationInputs& inputs, const Asker& ask)
{
    Announcer::Act act(m_announcer);
    return loaded(m_file.openAtStartUp(inputs), ask);
}

bool GameController::leave(LeaveWay way, const Asker& ask)
{
    Announcer::Act act(m_announcer);
    using Kind = LeaveStep::Kind;
    const LeaveStep step = leaveStep(way, !m_session.ref.isEmpty(), isModified());
    const Answer answer = step.kind == Kind::Leave ? Answer::Yes : ask(step.question);
    if (step.kind == Kind::Refuse || answer == Answer::Cancel ||
        (answer == Answer::No && step.kind == Kind::AskToLeave))
        return false;
    if (answer == Answer::Yes && step.kind == Kind::AskToSave) {
        if (std::optional<Refusal> refused = save()) {
            ask({refused->text, refused->icon, Question::Buttons::Ok});
            return false;
        }
    }
    // Unsaved work left is kept in the recovery record, for the game's next opening to offer.
    if (isModified())
        m_recovery.left(shownGame());
    if (way != LeaveWay::OtherGame)
        m_file.close();
    return true;
}

std::optional<Refusal> GameController::openGame(const QString& path, const Asker& ask)
{
    Announcer::Act act(m_announcer);
    return loaded(m_file.open(QFileInfo(path).absoluteFilePath()), ask);
}

std::optional<Refusal> GameController::newGame(const QString& chosen)
{
    Announcer::Act act(m_announcer);
    QString path;
    if (std::optional<Refusal> refused =
            m_file.makeNew(chosen, m_forum, m_rankingInPost, m_rules, &path))
        return refused;
    return openGame(path);
}

std::optional<Refusal> GameController::saveGameAs(const QString& chosen)
{
    Announcer::Act act(m_announcer);
    tidyPanes();
    if (std::optional<Refusal> refused =
            m_file.saveAs(chosen, m_session, m_history, m_thread.changes()))
        return refused;
    setSaved(true);
    m_announcer.gameOpened();
    return std::nullopt;
}

std::optional<Refusal> GameController::loaded(std::optional<Refusal> refused, const Asker& ask)
{
    if (refused)
        return refused;
    StoredGame stored = m_file.load();
    if (stored.altered && ask)
        ask({kAlteredGame, MessageIcon::Warning, Question::Buttons::Ok});
    m_thread.opened();
    m_recovery.offer(stored, ask);
    if (stored.thread)
        m_thread.recovered(*stored.thread);
    m_session = stored.session;
    m_puzzleReference = m_session.ref;
    m_rankingInPost = stored.rankingInPost;
    m_forum = stored.forum;
    m_conflict.reset();
    m_rules = stored.rules;
    m_engine.setRules(m_rules);
    playPuzzleAsFound();
    m_player = stored.player;
    m_referenceUntidy = m_proposalUntidy = false;
    m_board.forget();
    m_announcer.gameOpened();
    // Loading the stored proposal is a change of the proposal like any other.
    m_modified = true;
    if (!stored.history) {
        restartHistory();
        return std::nullopt;
    }
    m_history.load(std::move(stored.history->latest), stored.history->first,
                   std::bind_front(&GameFile::loadTurns, &m_file));
    return std::nullopt;
}

void GameController::restartHistory()
{
    m_board.restart();
    m_history.restart(turnOf(m_session, QString()));
    m_announcer.historyReset();
}

void GameController::referenceEdited(const QString& text)
{
    Announcer::Act act(m_announcer, Announcer::ActKind::Typing);
    if (text == m_session.ref)
        return;
    m_session.ref = text;
    m_referenceUntidy = true;
}

void GameController::proposalEdited(const QString& text)
{
    Announcer::Act act(m_announcer, Announcer::ActKind::Typing);
    if (text != m_session.propal)
        m_proposalUntidy = true;
    setProposal(text);
}

void GameController::remainingLettersEdited(const QString& text)
{
    Announcer::Act act(m_announcer, Announcer::ActKind::Typing);
    m_session.lettres = text;
}

// Every change of the proposal's text, whoever makes it, leaves the game unsaved.
void GameController::setProposal(const QString& text)
{
    if (text == m_session.propal)
        return;
    m_session.propal = text;
    m_modified = true;
}

void GameController::referenceLeft()
{
    Announcer::Act act(m_announcer);
    m_referenceUntidy = false;
    m_session.ref = PuzzleEngine::normaliseReference(m_session.ref);
}

void GameController::proposalLeft()
{
    Announcer::Act act(m_announcer);
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
    Announcer::Act act(m_announcer);
    setProposal(QString());
}

void GameController::pasteIntoEmptyProposal(const QString& clipboardText)
{
    Announcer::Act act(m_announcer, Announcer::ActKind::Typing);
    if (m_session.propal.isEmpty())
        setProposal(clipboardText);
}

std::optional<Refusal> GameController::initialise()
{
    Announcer::Act act(m_announcer);
    GameSession next = m_session;
    if (std::optional<Refusal> refusal = m_engine.initialisePuzzle(next))
        return refusal;
    closePuzzle();
    m_session = std::move(next);
    m_puzzleReference = m_session.ref;
    // A new puzzle is not in the file, whatever the proposal was.
    m_modified = true;
    m_conflict.reset();
    restartHistory();
    return std::nullopt;
}

EvaluationResult GameController::generate(const Asker& ask)
{
    Announcer::Act act(m_announcer);
    if (std::optional<EvaluationResult> guarded =
            guardTurn(m_session, m_history, m_file, m_player, ask))
        return *guarded;
    const EvaluationResult result = m_engine.evaluateProposal(m_session, m_history.last());
    if (result.refusal)
        return result;
    if (result.proposalChanged)
        m_modified = true;
    m_conflict = result.conflict;
    if (result.conflict) {
        m_announcer.conflictFound();
        return result;
    }
    const qsizetype number = m_history.size();
    Turn turn = turnOf(m_session, m_session.propal);
    // Turn 0 credits nobody.
    if (number > 0)
        turn.joueur = m_board.spellingFor(m_player, number);
    m_board.credit(turn.joueur, turn.trouvees, number);
    m_history.append(turn);
    // A turn played on a proposal typed before a save is not in the file.
    m_modified = true;
    m_announcer.turnPlayed(number);
    if (!turn.joueur.isEmpty())
        m_announcer.playersChanged();
    // The next proposal is not credited to the same player by mistake.
    m_player.clear();
    return result;
}

void GameController::playerEdited(const QString& typed)
{
    Announcer::Act act(m_announcer, Announcer::ActKind::Typing);
    m_player = typed;
}

bool GameController::setTurnPlayer(qsizetype number, const QString& typed)
{
    Announcer::Act act(m_announcer);
    const std::optional<bool> corrected = m_board.correct(number, typed);
    if (corrected.value_or(false)) {
        setSaved(false);
        m_announcer.turnCorrected(number);
        m_announcer.playersChanged();
    }
    return corrected.has_value();
}

bool GameController::undoLastTurn()
{
    Announcer::Act act(m_announcer);
    if (!canUndo())
        return false;
    if (!m_history.canDropLast())
        return bringBackPuzzle();
    const QString undoneProposal = m_history.last().propal;
    const QString undonePlayer = m_history.last().joueur;
    if (!m_history.dropLast())
        return false;
    m_announcer.turnUndone(m_history.size());
    m_player = undonePlayer;
    if (!undonePlayer.isEmpty()) {
        m_board.forget();
        m_announcer.playersChanged();
    }
    showTurn(m_session, m_history.last());
    // A turn of a table written by another program may hold lone line breaks; the pane cannot.
    setProposal(withLineBreaks(undoneProposal, u"\r\n"));
    // An undo changes the game even when the proposal comes back unchanged.
    setSaved(false);
    return true;
}

std::optional<Refusal> GameController::save()
{
    Announcer::Act act(m_announcer);
    tidyPanes();
    if (m_session.ref.isEmpty())
        return Refusal{messages::kNoReference, MessageIcon::Critical};
    std::optional<Refusal> refused = m_file.save(m_session, m_history, m_thread.changes());
    if (!refused)
        setSaved(true);
    return refused;
}

void GameController::clearPage()
{
    Announcer::Act act(m_announcer);
    closePuzzle();
    m_puzzleReference.clear();
    m_session.ref.clear();
    m_session.soluce.clear();
    setProposal(QString());
    m_session.lettres.clear();
    m_session.lettres_restantes = 0;
    m_conflict.reset();
    m_history.clear();
    m_board.restart();
    m_announcer.historyReset();
}

// The file keeps the rules for the next puzzle only: the puzzle in play hides every letter when
// its found text shows it does, and otherwise as the rules say.
void GameController::playPuzzleAsFound()
{
    m_engine.setPuzzleHidesAllLetters(m_rules.allLetters ||
                                      PuzzleEngine::hidesExtraLetters(m_session));
}

void GameController::closePuzzle()
{
    if (m_history.size() < 2)
        return;
    const QList<Turn>& turns = m_history.all();
    GameSession asPlayed = m_session;
    asPlayed.ref = m_puzzleReference;
    m_thread.close({asPlayed, turns, m_history.firstAtHand()}, m_file.store().storedTurns());
    m_announcer.threadChanged();
}

bool GameController::bringBackPuzzle()
{
    std::optional<std::pair<ClosedPuzzle, StoredTurns>> taken = m_thread.takeLast();
    if (!taken)
        return false;
    ClosedPuzzle* puzzle = &taken->first;
    m_session = puzzle->session;
    m_puzzleReference = m_session.ref;
    m_conflict.reset();
    playPuzzleAsFound();
    m_history.clear();
    m_history.load(std::move(puzzle->turns), puzzle->first);
    // The puzzle saved last is still in the file's table of turns, as it was saved.
    m_file.store().holds(std::move(taken->second));
    m_board.forget();
    m_announcer.threadChanged();
    setSaved(false);
    return true;
}

QList<PuzzleSummary> GameController::puzzles()
{
    QList<PuzzleSummary> list = m_thread.summaries();
    list.append(summaryOf(list.size() + 1, m_puzzleReference, turns()));
    return list;
}

std::optional<PastPuzzle> GameController::pastPuzzle(qsizetype number)
{
    std::optional<ClosedPuzzle> puzzle = m_thread.puzzle(number);
    if (!puzzle)
        return std::nullopt;
    // Its credits in the order played, which is all the tie rule reads of the turns' numbers.
    PlayerTally tally;
    qsizetype order = 0;
    for (const TurnCredit& credit : creditsOf(puzzle->turns, puzzle->first))
        tally.add(credit.joueur, credit.trouvees, ++order);
    return PastPuzzle{std::move(puzzle->turns), tally.ranking(), puzzle->first};
}

const QList<ThreadStanding>& GameController::threadRanking()
{
    // Tallying every puzzle's turns is the costly part of a won puzzle's post: the ranking is
    // kept until the credits change (a puzzle closed or brought back changes them too).
    if (m_threadRanking && m_threadRankingRevision == m_announcer.creditsRevision())
        return *m_threadRanking;
    m_threadRankingRevision = m_announcer.creditsRevision();
    QList<QList<TurnCredit>> credits = m_thread.credits();
    credits.append(creditsOf(turns(), m_history.firstAtHand()));
    m_threadRanking = ::threadRanking(credits);
    return *m_threadRanking;
}
