// Fuzz target: arbitrary UTF-16 texts through a whole turn, checking the puzzle's invariants.
//
// The input is read as UTF-16 code units split at U+FFFF into up to three texts: the reference
// text, the proposal, and a free-form found text for the alignment walk on its own. An odd last
// byte chooses the thread's rules: bit 0 every letter hidden, bit 1 optional accents, bit 2 the
// other «every letter» for the turn, which the puzzle must not take up.
#include "ForumPost.h"
#include "PuzzleEngine.h"

#include <QStringList>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

bool hidden(QChar c, bool allLetters)
{
    return alphabet::isLetter(c) || (allLetters && alphabet::isExtraLetter(c));
}

int lettersIn(const QString& remainingLetters, bool allLetters)
{
    int n = 0;
    for (QChar c : remainingLetters)
        n += hidden(c, allLetters) ? 1 : 0;
    require(n + remainingLetters.count(u' ') == remainingLetters.size());
    return n;
}

void checkPuzzleInvariants(const GameSession& s, bool allLetters)
{
    require(s.soluce.size() == s.ref.size());
    for (qsizetype i = 0; i < s.soluce.size(); ++i)
        if (s.soluce.at(i) == u'*')
            require(hidden(s.ref.at(i), allLetters) || s.ref.at(i) == u'*');
        else
            require(s.soluce.at(i) == s.ref.at(i)); // a revealed letter is the reference's own
    require(s.lettres_restantes == lettersIn(s.lettres, allLetters));
    require(s.lettres.isEmpty() || s.lettres.back() == u' ');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::vector<char16_t> units(size / 2);
    if (!units.empty())
        std::memcpy(units.data(), data, units.size() * 2);
    QStringList parts;
    QString current;
    for (char16_t u : units) {
        if (u == 0xFFFF && parts.size() < 2) {
            parts.append(current);
            current.clear();
        } else {
            current.append(QChar(u));
        }
    }
    parts.append(current);
    while (parts.size() < 3)
        parts.append(QString());

    Rules rules;
    const std::uint8_t ruleBits = size % 2 ? data[size - 1] : 0;
    rules.allLetters = ruleBits & 1;
    rules.optionalAccents = ruleBits & 2;

    PuzzleEngine engine;
    engine.setRules(rules);
    GameSession session;
    session.ref = PuzzleEngine::normaliseReference(parts.at(0));
    const GameSession before = session;
    if (const auto refusal = engine.initialisePuzzle(session)) {
        require(session == before);
    } else {
        require(session.propal.isEmpty());
        require(!session.ref.contains(QStringLiteral("  ")));
        checkPuzzleInvariants(session, rules.allLetters);
        require(PuzzleEngine::hidesExtraLetters(session) <= rules.allLetters);
        for (qsizetype i = 0; i < session.ref.size(); ++i)
            require(session.soluce.at(i) == u'*' || !hidden(session.ref.at(i), rules.allLetters));

        if (ruleBits & 4)
            engine.setRules({!rules.allLetters, rules.optionalAccents});

        session.propal = PuzzleEngine::normaliseProposal(parts.at(1));
        const GameSession beforeTurn = session;
        const EvaluationResult result =
            engine.evaluateProposal(session, turnOf(beforeTurn, QString()));
        require(session.ref == beforeTurn.ref);
        if (result.refusal) {
            require(session == beforeTurn);
        } else {
            checkPuzzleInvariants(session, rules.allLetters);
            if (result.conflict) {
                require(session.soluce == beforeTurn.soluce);
                require(session.lettres == beforeTurn.lettres);
                require(session.lettres_restantes == beforeTurn.lettres_restantes);
            }
        }
        const QString post = forumPost(Forum::Origine, session).text;
        require(post.startsWith(QStringLiteral("[font=Courier New][size=5]") + session.soluce));
        require(!post.contains(u'\n') || session.soluce.contains(u'\n'));
        // Every other forum ends its lines with LF alone, and its post shows the found text whole
        // as its first line's text, in lines of at most 60 characters where a code box holds it:
        // only line breaks and blanks differ.
        for (Forum forum : kForums) {
            const ForumPost other = forumPost(forum, session);
            const QString& shown = other.lines.first().first().text;
            const auto unbroken = [](QString text) {
                return text.remove(u'\r').remove(u'\n').remove(u' ');
            };
            require(unbroken(shown) == unbroken(session.soluce));
            require(forum == Forum::Origine || !other.text.contains(u'\r'));
            if (forum == Forum::Phpbb3 || forum == Forum::Discourse || forum == Forum::Markdown)
                for (QStringView line : QStringView(shown).split(u'\n'))
                    require(line.size() <= 60);
        }
    }

    // The walk alone, on any found text and proposal, always ends.
    GameSession free;
    free.soluce = parts.at(2);
    free.propal = parts.at(1);
    const AlignmentResult alignment = engine.checkAlignment(free);
    if (alignment.conflict)
        require(alignment.conflict->position >= 1);
    return 0;
}
