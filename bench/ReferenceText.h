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
