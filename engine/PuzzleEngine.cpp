// The turn of the puzzle: initialisation, alignment check, reveal pass, recount.
#include "PuzzleEngine.h"
#include "SpaceRuns.h"

#include <QVarLengthArray>

#include <algorithm>

namespace {

const QChar kMask = u'*';
const QChar kSpace = u' ';

// The characters that belong to a word for the alignment check, the mask among them.
const QString kCharacterSet = QStringLiteral(
    ".,(\u2019)]'[\u00B2/*-ABCDEFGHIJKLMNOPQRSTUVWXYZ"
    "\u00C0\u00C9\u00C8\u00D9\u00C2\u00CA\u00CE\u00D4\u00DB\u00C4\u00CB\u00CF\u00D6\u00DC\u00C7"
    "\u0152\u00C6");

bool isApostrophe(QChar c)
{
    return c == u'\'' || c == u'\u2019';
}

bool hasBlankAfterApostrophe(const QString& text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i)
        if (isApostrophe(text.at(i)) && text.at(i + 1) == kSpace)
            return true;
    return false;
}

} // namespace

PuzzleEngine::PuzzleEngine() : m_version(QStringLiteral(PLIMO_VERSION))
{
    for (QChar c : kCharacterSet)
        m_wordCharacters.set(c.unicode());
}

void PuzzleEngine::clearLetterCounters()
{
    m_counters.fill(0);
    for (const auto& [letter, n] : m_extraCounters)
        if (letter < kLatinEnd)
            m_latinExtraSlots[letter] = 0;
    m_extraCounters.clear();
}

bool PuzzleEngine::hidesExtraLetters(const GameSession& session)
{
    const qsizetype length = std::min(session.ref.size(), session.soluce.size());
    for (qsizetype i = 0; i < length; ++i)
        if (session.soluce.at(i) == kMask && alphabet::isExtraLetter(session.ref.at(i)))
            return true;
    return false;
}

void PuzzleEngine::countReference(const QString& text)
{
    clearLetterCounters();
    const std::bitset<65536>* extra = extraLetters();
    for (QChar c : text) {
        const int index = alphabet::letterIndex(c);
        if (index >= 0)
            ++m_counters[index];
        else if (extra && extra->test(c.unicode()))
            ++extraCounter(c.unicode());
    }
}

int& PuzzleEngine::newExtraCounter(char16_t letter)
{
    for (auto& [counted, n] : m_extraCounters)
        if (counted == letter)
            return n;
    m_extraCounters.emplace_back(letter, 0);
    if (letter < kLatinEnd)
        m_latinExtraSlots[letter] = static_cast<std::uint16_t>(m_extraCounters.size());
    return m_extraCounters.back().second;
}

const std::bitset<65536>& PuzzleEngine::wordCharacters() const
{
    if (!m_puzzleAllLetters)
        return m_wordCharacters;
    static const std::bitset<65536> everyLetter = [] {
        std::bitset<65536> words = alphabet::upperCaseLetters();
        for (QChar c : kCharacterSet)
            words.set(c.unicode());
        return words;
    }();
    return everyLetter;
}

RemainingLetters PuzzleEngine::formatRemainingLetters(alphabet::DisplayOrder order) const
{
    RemainingLetters result;
    result.text.reserve(kMaxTextLength + alphabet::kLetterCount);
    for (int index : alphabet::displayOrder(order)) {
        // A count below zero (reference edited after initialisation) shows as nothing.
        const int n = m_counters[index];
        if (n <= 0)
            continue;
        result.text.append(QString(n, QChar(alphabet::kLetters[index])));
        result.text.append(kSpace);
        result.count += n;
    }
    if (m_extraCounters.empty())
        return result;
    // The other capitals follow the 37, in code-point order, in both displays.
    QVarLengthArray<std::pair<char16_t, int>, 16> extra(m_extraCounters.begin(),
                                                        m_extraCounters.end());
    std::sort(extra.begin(), extra.end());
    for (const auto& [letter, n] : extra) {
        if (n <= 0)
            continue;
        result.text.append(QString(n, QChar(letter)));
        result.text.append(kSpace);
        result.count += n;
    }
    return result;
}

std::optional<Refusal> PuzzleEngine::initialisePuzzle(GameSession& session)
{
    if (session.ref.isEmpty())
        return Refusal{messages::kNoReference, MessageIcon::Critical};
    if (session.ref.size() > kMaxTextLength)
        return Refusal{messages::kTooLong, MessageIcon::Critical};

    session.propal.clear();
    clearLetterCounters();
    // A new puzzle has revealed nothing yet: the old puzzle's count would be posted as its own.
    session.lettres_trouvees = 0;
    session.ref = collapseSpaceRuns(session.ref);
    m_puzzleAllLetters = m_rules.allLetters;

    QString found(session.ref.size(), Qt::Uninitialized);
    QChar* to = found.data();
    const std::bitset<65536>* extra = extraLetters();
    for (QChar c : session.ref) {
        const int index = alphabet::letterIndex(c);
        if (index >= 0) {
            ++m_counters[index];
        } else if (extra && extra->test(c.unicode())) {
            ++extraCounter(c.unicode());
            *to++ = kMask;
            continue;
        }
        *to++ = index >= 0 ? kMask : c;
    }
    session.soluce = found;

    const RemainingLetters remaining =
        formatRemainingLetters(alphabet::DisplayOrder::Initialisation);
    session.lettres = remaining.text;
    session.lettres_restantes = remaining.count;
    return std::nullopt;
}

AlignmentResult PuzzleEngine::checkAlignment(GameSession& session) const
{
    AlignmentResult result;

    // One blank after each apostrophe goes; a blank before one stays.
    if (hasBlankAfterApostrophe(session.propal)) {
        QString tidied;
        tidied.reserve(session.propal.size());
        bool blankRemoved = false;
        for (QChar c : std::as_const(session.propal)) {
            if (!blankRemoved && c == kSpace && !tidied.isEmpty() && isApostrophe(tidied.back())) {
                blankRemoved = true;
                continue;
            }
            blankRemoved = false;
            tidied.append(c);
        }
        session.propal = tidied;
        result.proposalChanged = true;
    }

    const QString& found = session.soluce;
    const QString& proposal = session.propal;
    const qsizetype foundLength = found.size();
    const qsizetype proposalLength = proposal.size();
    // Positions count from 1; a position past the end reads as a separator.
    const std::bitset<65536>& words = wordCharacters();
    auto wordAt = [&words](const QString& text, qsizetype pos) {
        return pos <= text.size() && words.test(text.at(pos - 1).unicode());
    };

    qsizetype foundPos = 1;
    qsizetype proposalPos = 1;
    int wordNumber = 1;
    for (;;) {
        if (foundPos == proposalLength + 1)
            return result;
        // A found text that ends in separators the proposal lacks would otherwise walk on
        // past the end of both texts; nothing is left to compare there.
        if (foundPos > foundLength && proposalPos > proposalLength)
            return result;
        const qsizetype foundWordStart = foundPos;
        while (wordAt(found, foundPos)) {
            if (foundPos == foundLength)
                return result; // the word that ends the found text is not compared
            ++foundPos;
        }
        const qsizetype foundWordLength = foundPos - foundWordStart;
        const qsizetype proposalWordStart = proposalPos;
        while (wordAt(proposal, proposalPos))
            ++proposalPos;
        const qsizetype proposalWordLength = proposalPos - proposalWordStart;

        if (foundWordLength > 0) {
            if (proposalWordLength != foundWordLength) {
                Conflict conflict;
                conflict.foundWord = found.mid(foundWordStart - 1, foundWordLength);
                conflict.proposalWord = proposal.mid(proposalWordStart - 1, proposalWordLength);
                conflict.wordNumber = wordNumber;
                conflict.position = static_cast<int>(proposalWordStart);
                result.conflict = conflict;
                return result;
            }
            ++wordNumber;
        }
        ++proposalPos;
        ++foundPos;
    }
}

std::optional<Refusal> PuzzleEngine::refuseProposal(const GameSession& session)
{
    if (session.soluce.isEmpty())
        return Refusal{messages::kNotInitialised, MessageIcon::Warning};
    if (session.propal.isEmpty())
        return Refusal{messages::kNoProposal, MessageIcon::Warning};
    if (session.propal.size() > kMaxTextLength)
        return Refusal{messages::kTooLong, MessageIcon::Critical};
    return std::nullopt;
}

EvaluationResult PuzzleEngine::evaluateProposal(GameSession& session, const Turn& accepted)
{
    EvaluationResult result;
    if ((result.refusal = refuseProposal(session)))
        return result;

    const AlignmentResult alignment = checkAlignment(session);
    result.conflict = alignment.conflict;
    result.proposalChanged = alignment.proposalChanged;

    // Reveal pass: position by position against the reference text. A position where either
    // text has ended never matches, so the found text keeps every character.
    const QString& reference = session.ref;
    const QString& proposal = session.propal;
    QString found = session.soluce;
    const qsizetype comparable = std::min(reference.size(), proposal.size());
    int revealed = 0;
    QChar* out = found.data();
    const alphabet::BaseLetters* bases =
        m_rules.optionalAccents ? &alphabet::baseLetters() : nullptr;
    for (qsizetype i = 0; i < std::min(found.size(), comparable); ++i) {
        if (out[i] == kMask && (proposal.at(i) == reference.at(i) ||
                                (bases && (*bases)(proposal.at(i)) == (*bases)(reference.at(i))))) {
            out[i] = reference.at(i);
            ++revealed;
        }
    }
    session.soluce = found;
    session.lettres_trouvees = revealed;

    recountLetters(session);

    if (result.conflict)
        showTurn(session, accepted);
    return result;
}

void PuzzleEngine::recountLetters(GameSession& session)
{
    countReference(session.ref);
    const std::bitset<65536>* extra = extraLetters();
    for (QChar c : session.soluce) {
        const int index = alphabet::letterIndex(c);
        if (index >= 0)
            --m_counters[index];
        else if (extra && extra->test(c.unicode()))
            --extraCounter(c.unicode());
    }
    const RemainingLetters remaining = formatRemainingLetters(alphabet::DisplayOrder::Recount);
    session.lettres = remaining.text;
    session.lettres_restantes = remaining.count;
}
