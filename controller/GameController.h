// The one owner of the game in progress: the engine, the session, the store, the markers, the
// latest conflict and the turn history. The window shows its state and forwards the user's acts.
#pragma once

#include "EngineTypes.h"
#include "GameLock.h"
#include "GameSession.h"
#include "GameStore.h"
#include "Players.h"
#include "PuzzleEngine.h"
#include "RecentGames.h"
#include "StoreLocation.h"
#include "TurnHistory.h"

#include <memory>
#include <optional>

// What the game does when the master asks to quit.
struct QuitDecision {
    enum class Kind { Refuse, Ask, Quit };
    Kind kind = Kind::Quit;
    QString text; // the refusal or the question
    MessageIcon icon = MessageIcon::None;
};

// The proposal's characters to select after a conflict, as engine positions from 0 (the
// proposal's line breaks count as CR LF there).
struct TextRange {
    qsizetype start = 0;
    qsizetype end = 0;
};

class GameController {
  public:
    GameController();
    ~GameController();
    GameController(const GameController&) = delete;
    GameController& operator=(const GameController&) = delete;

    const GameSession& session() const { return m_session; }
    const SessionMarkers& markers() const { return m_engine.markers(); }
    bool isSaved() const;
    const QString& version() const { return m_engine.version(); }
    // Every turn of the history that can be read, the stored ones read in first; they are
    // numbered from firstTurnNumber(), which reading them may lower.
    const QList<Turn>& turns() { return m_history.all(); }
    qsizetype firstTurnNumber() const { return m_history.firstAtHand(); }

    // Takes the game's lock, opens the store, loads the game and its history, accepts the loaded
    // state as the last turn, and puts the game first in the recent games. On failure (the
    // game open in another program included) nothing is loaded and the status holds the
    // critical box's text.
    [[nodiscard]] StoreStatus startUp(const QString& storePath, StoreOptions options = {});
    // The same on the store the run's command line, recent games and folders pick (the user's
    // own game is made on its first run); a store that cannot be given fails the same way. A
    // recent game that cannot be opened is passed over as if it had gone, and stays in the list
    // for the menu to tell why; a recent game open in another program fails the start-up.
    [[nodiscard]] StoreStatus startUp(const StoreLocationInputs& inputs);

    // The open game's file.
    QString gamePath() const { return m_store->path(); }
    // The question to ask before leaving the game for another, or "" when it may be left as it
    // is: without a reference, or saved. Its answer Oui saves first, through save().
    QString leaveQuestion() const;
    // "Ouvrir une partie…" and a recent game: the game at the path, opened as at start-up. On
    // failure the refusal holds the critical box's text and the open game stays as it was.
    std::optional<Refusal> openGame(const QString& path);
    // "Nouvelle partie…": an empty game with this look made at the path (".mdb" added when
    // missing), then opened. An existing file is never replaced: a warning says it exists.
    std::optional<Refusal> newGame(const QString& path);
    // "Enregistrer la partie sous…": the game as it stands, its whole history, look and the
    // tables of later versions written to a new file (".mdb" added when missing), which the
    // game then goes on with. The open file is only read; on failure the game stays on it.
    std::optional<Refusal> saveGameAs(const QString& path);
    // The recent games, most recent first.
    QStringList recentGames() const { return m_recent.paths(); }
    // A recent game whose file has gone leaves the list; the warning says so. Nothing for a
    // game that is there.
    std::optional<Refusal> checkRecentGame(const QString& path);

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

    // "Initialiser": a refusal, or a new puzzle whose history starts at its turn 0.
    std::optional<Refusal> initialise();
    // "Générer": a refusal, a conflict (the turn rolled back), or an accepted turn.
    EvaluationResult generate();
    // The proposal's part that the latest conflict names, kept inside the current proposal.
    TextRange conflictSelection() const;
    // "Copier": the BBCode post of the game as it stands, and the ranking after it when the
    // game asks for it and a turn has a player.
    QString forumPost();

    // The field joueur: the player the next accepted "Générer" credits, as typed.
    const QString& player() const { return m_player; }
    void playerEdited(const QString& typed);
    // The game's players in the order they first played, and their ranking. The turns are read
    // for them when first needed, not at start-up.
    QStringList players();
    const QList<PlayerStanding>& ranking();
    // Credits turn `number` (from 1) to the typed player, or to nobody when the name is empty.
    // A change leaves the game unsaved. False when there is no such turn.
    bool setTurnPlayer(qsizetype number, const QString& typed);
    // Whether "Copier" adds the ranking: the game's option, stored at once when changed.
    bool rankingInPost() const { return m_rankingInPost; }
    [[nodiscard]] StoreStatus setRankingInPost(bool shown);

    // "Annuler le dernier tour": back to the turn before; false when there is nothing to undo.
    bool canUndo() const { return m_history.canDropLast(); }
    // False, with nothing changed, when there is nothing to undo, or when the turn before
    // cannot be read back from the store (earlierTurnsUnreadable() then says so).
    bool undoLastTurn();
    bool earlierTurnsUnreadable() const { return m_history.earlierTurnsUnreadable(); }

    // "Enregistrer": a refusal or a store failure to show, or nothing when the game is stored.
    std::optional<Refusal> save();
    // The look stored for the four panes, read after a successful start-up.
    StoredAppearance storedAppearance() const;
    // Stores a pane's colour (its background or its text) or its font, as the appearance menu
    // picks them; a failure holds the critical box's text.
    [[nodiscard]] StoreStatus storeColour(Pane pane, PaneProperty property, StoredColour value);
    [[nodiscard]] StoreStatus storeFont(Pane pane, const FontChoice& font);

    // "Effacer les données de la page".
    void clearPage();
    // "Quitter" and menu_quit. A quit that follows a save closes the store first.
    QuitDecision requestQuit();
    // The window's frame: the same question, but a quit is never refused.
    QuitDecision closeRequested() const;

  private:
    // Tests reach the engine, the store and the history through it, from tests/support.
    friend struct GameControllerProbe;

    void setProposal(const QString& text);
    void startHistory();
    // The players' tally, read from every turn when it is not known yet.
    PlayerTally& tally();
    // The tally no longer matches the turns; it is read again when next needed.
    void forgetTally();
    // The game at the path in place of the open one, or the failure, with nothing changed;
    // `fileRefused` tells a file that would not open from a lock that could not be taken.
    StoreStatus load(const QString& path, StoreOptions options, bool* fileRefused = nullptr);
    // The lock of the game at the path.
    StoreStatus lockFor(const QString& path, GameLock& lock);

    PuzzleEngine m_engine;
    GameSession m_session;
    std::unique_ptr<GameStore> m_store;
    GameLock m_lock;
    RecentGames m_recent;
    TurnHistory m_history;
    // The proposal word of the latest alignment check (empty after a check without conflict).
    QString m_conflictWord;
    QString m_player;
    // Unknown until first needed; then kept with each turn played, and forgotten when a turn
    // is undone or corrected.
    std::optional<PlayerTally> m_tally;
    std::optional<QList<PlayerStanding>> m_ranking;
    bool m_rankingInPost = false;

    // What a post is built from besides the ranking.
    struct PostInputs {
        QString foundText, foundCount, remainingCount, remainingLetters;
        bool ranking = false;
        bool operator==(const PostInputs&) const = default;
    };
    // The last post built: "Copier" on an unchanged game hands it out again rather than build
    // it anew. A new ranking drops it.
    struct BuiltPost {
        PostInputs inputs;
        QString text;
    };
    std::optional<BuiltPost> m_post;
};
