// The one game in progress, as six plain values named after the controls that show them.
#pragma once

#include <QString>

#include <optional>

struct GameSession {
    QString ref;                     // reference text typed by the game master
    QString soluce;                  // found text: the reference with hidden letters as "*"
    QString propal;                  // the players' proposal (plain text)
    QString lettres;                 // remaining letters, e.g. "A EE LLL "
    QString lettres_restantes = "0"; // remaining count, as the caption's decimal text
    QString lettres_trouvees = "0";  // found count, as the caption's decimal text

    bool operator==(const GameSession&) const = default;
};

// The two markers the engine keeps beside the game: "Y" or "" for the save marker (the game as
// stored), "", "0" or "1" for the generation marker.
struct SessionMarkers {
    QString save;
    QString generation;
};

// A count caption read as a whole number, blanks around it allowed; nothing when it is none
// (only a damaged store or another program can bring such a caption).
std::optional<qint64> captionNumber(const QString& caption);
