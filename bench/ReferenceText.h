// The 600-character reference texts the engine benchmarks play (French, with accents,
// apostrophes and punctuation), and the whole turn they time.
#pragma once

#include "ForumPost.h"
#include "PuzzleEngine.h"

#include <QString>

// The sentence repeated to 600 characters.
inline QString benchmarkText(const QString& sentence)
{
    QString text;
    while (text.size() < 600)
        text += sentence;
    text.truncate(600);
    return text;
}

inline QString benchmarkReferenceText()
{
    return benchmarkText(QStringLiteral(
        "L'ÉTÉ, À NOËL, LE PETIT CHAT GRIS DORT PRÈS DU FEU ; ÇA SENT LE PAIN ET LE CŒUR ! "));
}

// The same length of French with the capitals only a thread hiding every letter hides: Ë, Ï,
// Ÿ, Æ, Ñ, Ü.
inline QString benchmarkReferenceTextWithOtherCapitals()
{
    return benchmarkText(QStringLiteral(
        "L'ÉTÉ, À NOËL, LÆTITIA ET LOÏC DORMENT À L'HAŸ ; MUÑOZ ET MÜLLER SENTENT LE CŒUR ! "));
}

// A whole turn: the reference initialised, the proposal played, the post written; the post's
// length.
inline qsizetype playFullTurn(PuzzleEngine& engine, const QString& reference,
                              const QString& proposal)
{
    GameSession session;
    session.ref = reference;
    engine.initialisePuzzle(session);
    const Turn initialised = turnOf(session, QString());
    session.propal = proposal;
    engine.evaluateProposal(session, initialised);
    return forumPost(Forum::Origine, session).text.size();
}

// The reference text with some letters changed for this turn: its word lengths stay, so that
// every turn played with it is accepted, and its first letter is always wrong, so that the game
// is never won and takes every turn.
inline QString benchmarkProposal(int turn)
{
    QString proposal = benchmarkReferenceText();
    for (qsizetype i = turn % 7; i < proposal.size(); i += 7)
        if (proposal[i].isLetter())
            proposal[i] = QChar(char16_t(u'A' + (turn + i) % 26));
    proposal[0] = u'Q'; // the reference's L
    return proposal;
}
