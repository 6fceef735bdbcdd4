// The one game in progress, as six plain values named after the controls that show them.
#pragma once

#include <QString>

struct GameSession {
    QString ref;                // reference text typed by the game master
    QString soluce;             // found text: the reference with hidden letters as "*"
    QString propal;             // the players' proposal (plain text)
    QString lettres;            // remaining letters, e.g. "A EE LLL "
    qint64 lettres_restantes = 0; // remaining count
    qint64 lettres_trouvees = 0;  // found count

    bool operator==(const GameSession&) const = default;
};
