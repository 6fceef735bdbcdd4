// Readable GoogleTest output for the game's values: texts with their line breaks spelled out,
// sessions, conflicts, refusals and turns.
#pragma once

#include "EngineTypes.h"
#include "GameSession.h"
#include "TurnHistory.h"

#include <QString>

#include <ostream>

// Texts as UTF-8 with the line-break characters spelled out, so a stray CR or LF shows.
inline void PrintTo(const QString& text, std::ostream* os)
{
    QString shown = text;
    shown.replace(QChar(u'\r'), QStringLiteral("<CR>"));
    shown.replace(QChar(u'\n'), QStringLiteral("<LF>"));
    *os << '"' << shown.toStdString() << '"';
}

inline void PrintTo(const GameSession& s, std::ostream* os)
{
    *os << "{ref=";
    PrintTo(s.ref, os);
    *os << " soluce=";
    PrintTo(s.soluce, os);
    *os << " propal=";
    PrintTo(s.propal, os);
    *os << " lettres=";
    PrintTo(s.lettres, os);
    *os << " restantes=" << s.lettres_restantes << " trouvees=" << s.lettres_trouvees;
    *os << '}';
}

inline void PrintTo(const Conflict& c, std::ostream* os)
{
    *os << "{found=";
    PrintTo(c.foundWord, os);
    *os << " proposal=";
    PrintTo(c.proposalWord, os);
    *os << " word=" << c.wordNumber << " position=" << c.position << '}';
}

inline void PrintTo(const Refusal& r, std::ostream* os)
{
    *os << "{icon=" << static_cast<int>(r.icon) << " text=";
    PrintTo(r.text, os);
    *os << '}';
}

inline void PrintTo(const Turn& t, std::ostream* os)
{
    *os << "{propal=";
    PrintTo(t.propal, os);
    *os << " result=";
    PrintTo(t.result, os);
    *os << " trouvees=" << t.trouvees << " restantes=" << t.restantes << " lettres=";
    PrintTo(t.lettres, os);
    *os << " joueur=";
    PrintTo(t.joueur, os);
    *os << '}';
}
