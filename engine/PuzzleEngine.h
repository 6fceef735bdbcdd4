// The puzzle engine, the rules of the game on a GameSession: it tidies the typed reference and
// proposal, starts a puzzle by masking the reference's letters and counting them, and plays a
// turn (the word-length check, the reveal, the remaining letters); a turn that meets a conflict
// goes back to the accepted turn it is given.
#pragma once

#include "Alphabet.h"
#include "EngineTypes.h"
#include "GameSession.h"
#include "Rules.h"
#include "TurnHistory.h"

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

    // Sets the start-up fixed values: the version and the characters that belong to a word.
    PuzzleEngine();

    const QString& version() const { return m_version; }

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
    // The characters of a word in the puzzle in play: every capital too when it hides them all.
    const std::bitset<65536>& wordCharacters() const;
    // The capitals the puzzle in play hides beyond the 37, or nothing when it hides only those.
    const std::bitset<65536>* extraLetters() const
    {
        return m_puzzleAllLetters ? &alphabet::upperCaseLetters() : nullptr;
    }
    void countReference(const QString& text);
    void clearLetterCounters();
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
    // How many of each alphabet letter are still hidden: scratch of the latest count.
    std::array<int, alphabet::kLetterCount> m_counters{};
    // The same for the other capitals when the puzzle hides every letter, a few at most, in the
    // order they were met; a Latin letter's counter is found through its slot (1 and up).
    std::vector<std::pair<char16_t, int>> m_extraCounters;
    std::array<std::uint16_t, kLatinEnd> m_latinExtraSlots{};
    Rules m_rules;
    bool m_puzzleAllLetters = false;
};
