// The puzzle engine: the working state that exists once per run and the operations of a turn.
#pragma once

#include "Alphabet.h"
#include "EngineTypes.h"
#include "GameSession.h"

#include <QString>

#include <array>
#include <bitset>
#include <cstdint>

using LetterCounters = std::array<int, alphabet::kLetterCount>;

// The accepted state a rolled-back turn returns to.
struct PuzzleSnapshot {
    QString savedFoundText;
    QString savedRemainingLetters;
    qint16 savedFoundCount = 0;
    qint16 savedRemainingCount = 0;
    bool rollbackPending = false;
};

struct RemainingLetters {
    QString text; // each hidden letter n times, then one space
    int count = 0;
};

class PuzzleEngine {
  public:
    static constexpr int kMaxTextLength = 600;

    // Sets the start-up fixed values: version, conflict position, character set and table.
    PuzzleEngine();

    const QString& version() const { return m_version; }
    const QString& characterSet() const { return m_characterSet; }
    const std::array<QString, 61>& characterTable() const { return m_characterTable; }
    bool isWordCharacter(QChar c) const { return m_wordCharacters.test(c.unicode()); }

    const LetterCounters& counters() const { return m_counters; }
    const PuzzleSnapshot& snapshot() const { return m_snapshot; }
    void setRollbackPending(bool pending) { m_snapshot.rollbackPending = pending; }
    int conflictPosition() const { return m_conflictPosition; }
    SessionMarkers& markers() { return m_markers; }
    const SessionMarkers& markers() const { return m_markers; }

    // Starts a puzzle from session.ref: collapses spaces, masks letters, counts them, sets the
    // found count to 0, empties the proposal and ends with a snapshot. On refusal nothing
    // changes.
    std::optional<Refusal> initialisePuzzle(GameSession& session);

    // Upper-cases, trims spaces and turns line breaks into spaces ("µ" for a lone one).
    static QString normaliseReference(const QString& text);
    // As above, and also drops stray "?" and collapses runs of spaces.
    static QString normaliseProposal(const QString& text);

    // Removes one blank after each apostrophe of the proposal, then compares word lengths
    // of the found text and the proposal. A conflict raises rollbackPending.
    AlignmentResult checkAlignment(GameSession& session);

    // One turn: refusals, alignment check, reveal pass, recount, then snapshot or rollback.
    EvaluationResult evaluateProposal(GameSession& session);

    // Rebuilds the remaining letters and count from the reference and found texts.
    void recountLetters(GameSession& session);

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
    void countReference(const QString& text);

    QString m_version;
    QString m_characterSet;
    std::array<QString, 61> m_characterTable;
    std::bitset<65536> m_wordCharacters;
    LetterCounters m_counters{};
    PuzzleSnapshot m_snapshot;
    int m_conflictPosition = 0;
    SessionMarkers m_markers;
};
