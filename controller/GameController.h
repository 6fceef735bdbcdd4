// The one owner of the game in progress: the session and its markers, the puzzle engine, the turn
// history, the game's file and its players. It carries out the master's acts and announces what
// each changed; the windows show it through those signals and forward the master's acts.
#pragma once

#include "Announcer.h"
#include "EngineTypes.h"
#include "GameFile.h"
#include "GameSession.h"
#include "LeaveRule.h"
#include "PaneLook.h"
#include "PlayerBoard.h"
#include "Players.h"
#include "PostCache.h"
#include "PuzzleEngine.h"
#include "PuzzleThread.h"
#include "Recovery.h"
#include "Thread.h"
#include "TurnHistory.h"

#include <QFlags>
#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

struct StoreLocationInputs;

// The values of the session an act changed.
enum class SessionField {
    Ref = 0x01,
    Soluce = 0x02,
    Propal = 0x04,
    Lettres = 0x08,
    RemainingCount = 0x10,
    FoundCount = 0x20,
};
Q_DECLARE_FLAGS(SessionFields, SessionField)
Q_DECLARE_OPERATORS_FOR_FLAGS(SessionFields)

// The proposal's characters to select after a conflict, as engine positions from 0 (the
// proposal's line breaks count as CR LF there).
struct TextRange {
    qsizetype start = 0;
    qsizetype end = 0;
};

class GameController : public QObject {
    Q_OBJECT
  public:
    explicit GameController(QObject* parent = nullptr);
    ~GameController() override;

    // The game as it stands.
    const GameSession& session() const { return m_session; }
    // Whether the game may differ from what its file holds: it has changed since it was opened or
    // last saved.
    bool isModified() const { return m_modified; }
    const QString& version() const { return m_engine.version(); }
    // How many turns the history holds, turn 0 included.
    qsizetype turnCount() const { return m_history.size(); }
    // Every turn of the history that can be read, the stored ones read in first; they are
    // numbered from firstTurnNumber(), which reading them may lower. Stored turns that cannot be
    // read back leave nothing to undo to there, which is announced.
    const QList<Turn>& turns();
    qsizetype firstTurnNumber() const { return m_history.firstAtHand(); }
    // A turn before the last to go back to, or, at the start of a puzzle, the thread's puzzle
    // before it to bring back.
    bool canUndo() const
    {
        return m_history.canDropLast() || (m_history.size() <= 1 && m_thread.pastCount() > 0);
    }
    // Earlier turns were asked for by an undo and could not be read back from the file.
    bool earlierTurnsUnreadable() const { return m_history.earlierTurnsUnreadable(); }
    // The field joueur: the player the next accepted "Générer" credits, as typed.
    const QString& player() const { return m_player; }
    // The game's players in the order they first played, and their ranking. The turns are read
    // for them when first needed, not at start-up.
    QStringList players() { return m_board.players(); }
    const QList<PlayerStanding>& ranking() { return m_board.ranking(); }
    // Whether "Copier" adds the ranking, and the forum the post is written for: the game's
    // options.
    bool rankingInPost() const { return m_rankingInPost; }
    Forum forum() const { return m_forum; }
    // The thread's rules, a game's option like the forum. Every letter hidden applies from the
    // next «Initialiser», the optional accents from the next «Générer».
    const Rules& rules() const { return m_rules; }
    // The open game's file.
    QString gamePath() const { return m_file.path(); }
    // Where the choosers of a new game file open.
    QString newGameFolder() const { return m_file.newGameFolder(); }
    // The look stored for the four panes.
    StoredAppearance storedAppearance() const { return m_file.appearance(); }
    // The latest conflict, until the next «Générer» meets none or the game changes.
    const std::optional<Conflict>& conflict() const { return m_conflict; }
    // The proposal's part that the latest conflict names, kept inside the current proposal.
    TextRange conflictSelection() const;
    // "Copier": the post of the game as it stands in the markup of the game's forum, the player
    // of a won puzzle's winning turn named, and the ranking after it when the game asks for it
    // and a turn has a player, then a won puzzle's thread ranking once the thread has two
    // puzzles: its text, that text as HTML, and its lines as the forum shows them.
    const ForumPost& forumPost() { return post(); }
    // Why there is no post to copy: no puzzle in progress (no reference text, or none
    // initialised), whose post would announce a victory.
    std::optional<Refusal> refusePost() const
    {
        if (m_session.ref.isEmpty() || m_session.soluce.isEmpty())
            return Refusal{messages::kNoGame, MessageIcon::Warning};
        return std::nullopt;
    }
    // The thread's puzzles, earliest first, the current one last, numbered from 1.
    QList<PuzzleSummary> puzzles();
    // A puzzle of the thread before the current one: its turns (turn 0 first) and its
    // ranking, read-only; nothing when the number names no past puzzle or it cannot be read.
    std::optional<PastPuzzle> pastPuzzle(qsizetype number);
    // The thread's ranking over every puzzle, the current one included.
    const QList<ThreadStanding>& threadRanking();
    // The recent games, most recent first.
    QStringList recentGames() const { return m_file.recentGames(); }
    // The run ends: the game opened at start-up goes into the recent games if no act put it there.
    void runEnded() { m_file.settle(); }

    // Takes the game's lock, opens its file, loads the game and its history, on the file the
    // run's command line, recent games and folders pick (the user's own game is made on its first
    // run). On failure (the game open in another program included) nothing is loaded and the
    // refusal holds the critical box's text. A recent game that cannot be opened is passed over as
    // if it had gone. When the file keeps a recovery record of unsaved work, `ask` is asked
    // whether to take it up (see Recovery); without anyone to ask, the saved game opens and the
    // record goes.
    std::optional<Refusal> startUp(const StoreLocationInputs& inputs, const Asker& ask = {});

    // Whether the game may be left this way, once the master has answered what leaving needs:
    // «Quitter» is refused without a reference text and asks before unsaved work goes, the frame
    // asks the same, and another game asks whether to save first (Oui saves, and a failed save
    // keeps the game; Annuler keeps it). Unsaved work left is kept in the recovery record, which
    // the game's next opening offers back; a quit or a close that goes ahead closes the file.
    bool leave(LeaveWay way, const Asker& ask);
    // "Ouvrir une partie…" and a recent game: the game at the path, opened as at start-up. On
    // failure the refusal holds the critical box's text and the open game stays as it was.
    std::optional<Refusal> openGame(const QString& path, const Asker& ask = {});
    // "Nouvelle partie…": an empty game on the open game's forum and ranking option, with the
    // design-time look, made at the path (".mdb" added when missing), then opened. An existing
    // file is never replaced: a warning says it exists.
    std::optional<Refusal> newGame(const QString& path);
    // "Enregistrer la partie sous…": the game as it stands, its whole history, look and the
    // tables of later versions written to a new file (".mdb" added when missing), which the game
    // then goes on with. The open file is only read; on failure the game stays on it.
    std::optional<Refusal> saveGameAs(const QString& path);
    // A recent game whose file has gone leaves the list; the warning says so. Nothing for a game
    // that is there.
    std::optional<Refusal> checkRecentGame(const QString& path)
    {
        return m_file.checkRecentGame(path);
    }

    // The master's edits of the three editable panes, as plain text with CR LF line breaks.
    // Identical text is no change: the proposal's change handling only runs on a real change.
    void referenceEdited(const QString& text);
    void proposalEdited(const QString& text);
    void remainingLettersEdited(const QString& text);
    // The tidy-ups when a pane loses the focus.
    void referenceLeft();
    void proposalLeft();
    // "Effacer texte ci-dessus", and the right-click paste into an empty proposal.
    void clearProposal();
    void pasteIntoEmptyProposal(const QString& clipboardText);

    // "Initialiser": a refusal, or a new puzzle whose history starts at its turn 0. A puzzle with
    // a turn played is first closed into the thread; one with its turn 0 alone is replaced.
    std::optional<Refusal> initialise();
    // "Générer": a refusal, a conflict (the turn rolled back), an accepted turn, or nothing done
    // (skipped) for the last turn's proposal again or an earlier turn's that the master, asked,
    // chose not to play again.
    EvaluationResult generate(const Asker& ask);
    void playerEdited(const QString& typed);
    // Credits turn `number` (from 1) to the typed player, or to nobody when the name is empty.
    // A change leaves the game unsaved. False when there is no such turn.
    bool setTurnPlayer(qsizetype number, const QString& typed);
    // Store an option at once; the game takes it once the file has it.
    std::optional<Refusal> setRankingInPost(bool shown)
    {
        Announcer::Act act(m_announcer);
        return keptOption(m_rankingInPost, shown, m_file.storeRankingInPost(shown),
                          &Announcer::rankingInPostChanged);
    }
    std::optional<Refusal> setForum(Forum forum)
    {
        Announcer::Act act(m_announcer);
        return keptOption(m_forum, forum, m_file.storeForum(forum), &Announcer::forumChanged);
    }
    std::optional<Refusal> setRules(const Rules& rules)
    {
        Announcer::Act act(m_announcer);
        std::optional<Refusal> refused = keptOption(m_rules, rules, m_file.storeRules(rules), &Announcer::rulesChanged);
        m_engine.setRules(m_rules);
        return refused;
    }
    // "Annuler le dernier tour": back to the turn before, or, at the start of a puzzle, back to
    // the thread's puzzle before it as it was closed. False, with nothing changed, when there is
    // nothing to undo, or when what it goes back to cannot be read back from the file.
    bool undoLastTurn();
    // "Enregistrer", once the pane being typed in is tidied: a refusal or a file failure to
    // show, or nothing when the game is stored.
    std::optional<Refusal> save();
    // Stores a pane's colour (its background or its text) or its font, as the appearance menu
    // picks them; a failure holds the critical box's text.
    std::optional<Refusal> storeColour(Pane pane, PaneProperty property, StoredColour value)
    {
        return m_file.storeColour(pane, property, value);
    }
    std::optional<Refusal> storeFont(Pane pane, const FontChoice& font)
    {
        return m_file.storeFont(pane, font);
    }
    // "Effacer les données de la page": a puzzle with a turn played is first closed into the
    // thread.
    void clearPage();

  Q_SIGNALS:
    // Emitted at the end of the act that changed them, once the whole game is consistent.
    void sessionChanged(SessionFields changed);
    void modifiedChanged(bool modified);
    // The field joueur's player: emptied by an accepted turn, brought back by an undo.
    void playerChanged(const QString& player);
    // The history starts again: a new puzzle, a cleared page, another game.
    void historyReset();
    void turnPlayed(qsizetype number);
    // The history now ends before turn `number`.
    void turnUndone(qsizetype number);
    void turnCorrected(qsizetype number);
    void undoAvailableChanged(bool available);
    // The players or their ranking may have changed.
    void playersChanged();
    void rankingInPostChanged(bool shown);
    void forumChanged(Forum forum);
    void rulesChanged(const Rules& rules);
    // The thread's puzzles changed (one closed into it, or brought back), or its ranking may
    // have.
    void threadChanged();
    // Another game file is open: at start-up, opened, new, or the game saved under a new name.
    void gameOpened(const QString& path);
    // "Générer" met a word of the wrong length; the turn was rolled back.
    void conflictFound(const Conflict& conflict);
    // Every act's end, after the signals above, for those who keep the game.
    void actEnded(const Announcer::Ending& ending);
    // The recovery record of the game could not be written: the warning to show.
    void recoveryFailed(const Refusal& warning);

  private:
    const ForumPost& post();
    template <typename Value>
    std::optional<Refusal> keptOption(Value& option, Value value, std::optional<Refusal> refused,
                                      void (Announcer::*changed)())
    {
        if (!refused && option != value) {
            option = value;
            (m_announcer.*changed)();
        }
        return refused;
    }
    // The game as the recovery record keeps it.
    RecoveryRecord shownGame() const;
    // Keeps the recovery record and the recent games up with the act that ended.
    void keep(const Announcer::Ending& ending);
    void setProposal(const QString& text);
    // The game is as its file holds it, or no longer; a save took the recovery record with it.
    void setSaved(bool saved)
    {
        m_modified = !saved;
        if (saved) {
            m_recovery.saved();
            m_thread.saved();
        }
    }
    void restartHistory();
    // The engine plays the puzzle shown by the letters its found text hides.
    void playPuzzleAsFound();
    // The puzzle in play goes into the thread when a turn was played on it.
    void closePuzzle();
    // The thread's last puzzle in play again, as it was closed.
    bool bringBackPuzzle();
    // The tidy-ups of the panes edited since they were last left.
    void tidyPanes();
    // The game in the file just opened in place of the previous one, unless it was refused.
    std::optional<Refusal> loaded(std::optional<Refusal> refused, const Asker& ask);

    PuzzleEngine m_engine;
    GameSession m_session;
    TurnHistory m_history;
    GameFile m_file;
    PuzzleThread m_thread{m_file};
    PlayerBoard m_board;
    Recovery m_recovery;
    Announcer m_announcer;
    std::optional<Conflict> m_conflict;
    QString m_player;
    bool m_modified = true;
    bool m_rankingInPost = false;
    Forum m_forum = Forum::Origine;
    Rules m_rules;
    // The panes typed in since they were last tidied.
    bool m_referenceUntidy = false;
    bool m_proposalUntidy = false;

    PostCache m_post;
    // The reference the puzzle in play was started with, which its pane may no longer show.
    QString m_puzzleReference;
    std::optional<QList<ThreadStanding>> m_threadRanking;
    quint64 m_threadRankingRevision = 0; // the announcer's credits revision it was built at
};
