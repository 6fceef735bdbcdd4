// The 600-character reference text the engine benchmarks play: French, with accents,
// apostrophes and punctuation.
#pragma once

#include <QString>

inline QString benchmarkReferenceText()
{
    const QString sentence = QStringLiteral(
        "L'ÉTÉ, À NOËL, LE PETIT CHAT GRIS DORT PRÈS DU FEU ; ÇA SENT LE PAIN ET LE CŒUR ! ");
    QString text;
    while (text.size() < 600)
        text += sentence;
    text.truncate(600);
    return text;
}

// The same length of French with the capitals only a thread hiding every letter hides: Ë, Ï,
// Ÿ, Æ, Ñ, Ü.
inline QString benchmarkReferenceTextWithOtherCapitals()
{
    const QString sentence = QStringLiteral(
        "L'ÉTÉ, À NOËL, LÆTITIA ET LOÏC DORMENT À L'HAŸ ; MUÑOZ ET MÜLLER SENTENT LE CŒUR ! ");
    QString text;
    while (text.size() < 600)
        text += sentence;
    text.truncate(600);
    return text;
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
