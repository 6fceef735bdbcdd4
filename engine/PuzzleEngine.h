// The puzzle engine, the rules of the game on a GameSession: it tidies the typed reference and
// proposal, starts a puzzle by masking the reference's letters and counting them, and plays a
// turn (the word-length check, the reveal, the remaining letters); a turn that meets a conflict
// goes back to the accepted turn it is given.
#pragma once

#include "Alphabet.h"
#include "EngineTypes.h"
#include "GameSession.h"
#include "TurnHistory.h"

#include <QString>

#include <array>
#include <bitset>
#include <optional>

struct RemainingLetters {
    QString text; // each hidden letter n times, then one space
    int count = 0;
};

class PuzzleEngine {
  public:
    static constexpr int kMaxTextLength = 600;

    // Sets the start-up fixed values: the version and the characters that belong to a word.
    PuzzleEngine();

    const QString& version() const { return m_version; }

    // Starts a puzzle from session.ref: collapses spaces, masks letters, counts them, sets the
    // found count to 0 and empties the proposal. On refusal nothing changes.
    std::optional<Refusal> initialisePuzzle(GameSession& session);

    // Upper-cases, trims spaces and turns line breaks into spaces ("µ" for a lone one).
    static QString normaliseReference(const QString& text);
    // As above, and also drops stray "?" and collapses runs of spaces.
    static QString normaliseProposal(const QString& text);

    // Removes one blank after each apostrophe of the proposal, then compares word lengths
    // of the found text and the proposal; the first pair that differs is the conflict.
    AlignmentResult checkAlignment(GameSession& session) const;

    // What a turn is refused for before it runs: no puzzle, no proposal, a proposal too long.
    static std::optional<Refusal> refuseProposal(const GameSession& session);
    // One turn: refusals, alignment check, reveal pass, recount; a conflict puts the game back
    // as the accepted turn shows it.
    EvaluationResult evaluateProposal(GameSession& session, const Turn& accepted);

    // Rebuilds the remaining letters and count from the reference and found texts.
    void recountLetters(GameSession& session);

  private:
    // The letters still hidden, as the counts give them, in this display order.
    RemainingLetters formatRemainingLetters(alphabet::DisplayOrder order) const;
    bool isWordCharacter(QChar c) const { return m_wordCharacters.test(c.unicode()); }
    void countReference(const QString& text);

    QString m_version;
    std::bitset<65536> m_wordCharacters;
    // How many of each alphabet letter are still hidden: scratch of the latest count.
    std::array<int, alphabet::kLetterCount> m_counters{};
};
