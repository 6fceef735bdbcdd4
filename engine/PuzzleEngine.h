// The puzzle engine, the rules of the game on a GameSession: it tidies the typed reference and
// proposal, starts a puzzle by masking the reference's letters and counting them, and plays a
// turn (the word-length check, the reveal, the remaining letters), keeping the accepted state a
// turn that meets a conflict rolls back to, and the save and generation markers.
#pragma once

#include "Alphabet.h"
#include "EngineTypes.h"
#include "GameSession.h"
#include "Rules.h"

#include <QString>

#include <array>
#include <bitset>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

struct RemainingLetters {
    QString text; // each hidden letter n times, then one space
    int count = 0;
};

class PuzzleEngine {
  public:
    static constexpr int kMaxTextLength = 600;

    // Sets the start-up fixed values: the version, the conflict position and the characters
    // that belong to a word.
    PuzzleEngine();

    const QString& version() const { return m_version; }
    // Where the latest conflict's proposal word starts, from 1; 0 before any conflict.
    int conflictPosition() const { return m_conflictPosition; }
    SessionMarkers& markers() { return m_markers; }
    const SessionMarkers& markers() const { return m_markers; }

    // The thread's rules for the acts to come: every letter hidden from the next initialisation,
    // the accents optional from the next turn.
    void setRules(const Rules& rules) { m_rules = rules; }
    // Whether the puzzle in play hides every letter: the rule it was initialised under, which
    // its recounts and alignment checks keep until the next initialisation.
    bool puzzleHidesAllLetters() const { return m_puzzleAllLetters; }
    void setPuzzleHidesAllLetters(bool all) { m_puzzleAllLetters = all; }
    // Whether the found text hides a letter beyond the 37, which only a puzzle initialised
    // hiding every letter does.
    static bool hidesExtraLetters(const GameSession& session);

    // Starts a puzzle from session.ref: collapses spaces, masks letters, counts them, sets the
    // found count to 0, empties the proposal and ends with a snapshot. On refusal nothing
    // changes.
    std::optional<Refusal> initialisePuzzle(GameSession& session);

    // Upper-cases, trims spaces and turns line breaks into spaces ("µ" for a lone one).
    static QString normaliseReference(const QString& text);
    // As above, and also drops stray "?" and collapses runs of spaces.
    static QString normaliseProposal(const QString& text);

    // Removes one blank after each apostrophe of the proposal, then compares word lengths
    // of the found text and the proposal. A conflict marks the turn for rollback.
    AlignmentResult checkAlignment(GameSession& session);

    // What a turn is refused for before it runs: no puzzle, no proposal, a proposal too long.
    static std::optional<Refusal> refuseProposal(const GameSession& session);
    // One turn: refusals, alignment check, reveal pass, recount, then snapshot or rollback.
    EvaluationResult evaluateProposal(GameSession& session);

    // Rebuilds the remaining letters and count from the reference and found texts.
    void recountLetters(GameSession& session);

    // The letters still hidden, as the counts give them, in this display order.
    RemainingLetters formatRemainingLetters(alphabet::DisplayOrder order) const;

    void takeSnapshot(const GameSession& session);
    // The game as it stands becomes the accepted turn a later conflict rolls back to (a game
    // loaded at start-up, or one brought back by an undo).
    void acceptAsLastTurn(const GameSession& session);
    void restoreSnapshot(GameSession& session);
    void resetPuzzle(GameSession& session);
    void clearLetterCounters();

    // Change handling of the proposal: clears the save marker, turns a generation
    // marker of "1" into "0". Idempotent.
    void proposalChanged();

  private:
    // The accepted state a rolled-back turn returns to.
    struct Snapshot {
        QString savedFoundText;
        QString savedRemainingLetters;
        qint16 savedFoundCount = 0;
        qint16 savedRemainingCount = 0;
        bool rollbackPending = false; // a conflict was met since: the turn returns here
    };

    // The characters of a word in the puzzle in play: every capital too when it hides them all.
    const std::bitset<65536>& wordCharacters() const;
    // The capitals the puzzle in play hides beyond the 37, or nothing when it hides only those.
    const std::bitset<65536>* extraLetters() const
    {
        return m_puzzleAllLetters ? &alphabet::upperCaseLetters() : nullptr;
    }
    void countReference(const QString& text);
    // The counter of a capital beyond the 37, made at 0 when it has none yet.
    int& extraCounter(char16_t letter)
    {
        if (letter < kLatinEnd && m_latinExtraSlots[letter] != 0)
            return m_extraCounters[m_latinExtraSlots[letter] - 1].second;
        return newExtraCounter(letter);
    }
    int& newExtraCounter(char16_t letter);

    // The Latin letters, where nearly every capital of a thread lies, find their counter at once.
    static constexpr char16_t kLatinEnd = 0x0250;

    QString m_version;
    std::bitset<65536> m_wordCharacters;
    // How many of each alphabet letter are still hidden.
    std::array<int, alphabet::kLetterCount> m_counters{};
    // The same for the other capitals when the puzzle hides every letter, a few at most, in the
    // order they were met; a Latin letter's counter is found through its slot (1 and up).
    std::vector<std::pair<char16_t, int>> m_extraCounters;
    std::array<std::uint16_t, kLatinEnd> m_latinExtraSlots{};
    Rules m_rules;
    bool m_puzzleAllLetters = false;
    Snapshot m_snapshot;
    int m_conflictPosition = 0;
    SessionMarkers m_markers;
};
