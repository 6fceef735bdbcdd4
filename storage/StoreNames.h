// The names of plimo.mdb's tables and columns and of the four panes, each written here only.
#pragma once

#include "ForumPost.h"
#include "GameSession.h"
#include "Rules.h"

#include <QString>
#include <QStringList>

#include <array>

// The game file a run opens when nothing else names one, beside the program or in the user's
// data folder.
inline QString usualGameFileName()
{
    return QStringLiteral("plimo.mdb");
}

// The four text panes, in the order the window and the couleurs columns list them.
enum class Pane { Ref, Soluce, Propal, Lettres };

inline constexpr std::array<Pane, 4> kPanes = {Pane::Ref, Pane::Soluce, Pane::Propal,
                                               Pane::Lettres};

// The pane's name: the objectName of its widget and the suffix of its couleurs columns
// (fond_ref, font_size_lettres, ...).
inline QString paneSuffix(Pane pane)
{
    switch (pane) {
    case Pane::Ref:
        return QStringLiteral("ref");
    case Pane::Soluce:
        return QStringLiteral("soluce");
    case Pane::Propal:
        return QStringLiteral("propal");
    case Pane::Lettres:
        break;
    }
    return QStringLiteral("lettres");
}

// The tables. Functions rather than QString constants, so that no static initialiser in
// another file can read one before it exists.
inline QString gameTable()
{
    return QStringLiteral("données");
}
inline QString countTable()
{
    return QStringLiteral("compteurs");
}
inline QString lookTable()
{
    return QStringLiteral("couleurs");
}
inline QString turnTable()
{
    return QStringLiteral("tours");
}

// The column of données that holds the pane's text.
inline QString gameTextColumn(Pane pane)
{
    switch (pane) {
    case Pane::Ref:
        return QStringLiteral("base");
    case Pane::Soluce:
        return QStringLiteral("result");
    case Pane::Propal:
        return QStringLiteral("propal");
    case Pane::Lettres:
        break;
    }
    return QStringLiteral("lettres");
}

// The four game texts, in the order of kPanes: the pane whose column of données holds each,
// and its GameSession value.
struct TextField {
    Pane pane;
    QString GameSession::*member;
};

inline constexpr std::array<TextField, 4> kGameTexts = {{
    {Pane::Ref, &GameSession::ref},
    {Pane::Soluce, &GameSession::soluce},
    {Pane::Propal, &GameSession::propal},
    {Pane::Lettres, &GameSession::lettres},
}};

// The column of compteurs: the count of letters still to find.
inline QString countColumn()
{
    return QStringLiteral("nb_lettres");
}

// The other column of compteurs: the check of what the last save wrote (the saved game's mark),
// NULL in a file saved before there was one.
inline QString saveCheckColumn()
{
    return QStringLiteral("empreinte");
}

// The six kinds of couleurs column; each exists once per pane.
enum class LookKind { Background, TextColour, FontName, FontSize, FontBold, FontItalic };

inline constexpr std::array<LookKind, 6> kLookKinds = {LookKind::Background, LookKind::TextColour,
                                                       LookKind::FontName,   LookKind::FontSize,
                                                       LookKind::FontBold,   LookKind::FontItalic};

inline QString lookPrefix(LookKind kind)
{
    switch (kind) {
    case LookKind::Background:
        return QStringLiteral("fond_");
    case LookKind::TextColour:
        return QStringLiteral("police_");
    case LookKind::FontName:
        return QStringLiteral("font_name_");
    case LookKind::FontSize:
        return QStringLiteral("font_size_");
    case LookKind::FontBold:
        return QStringLiteral("font_bold_");
    case LookKind::FontItalic:
        break;
    }
    return QStringLiteral("font_italic_");
}

// The couleurs column of this kind for this pane (fond_ref, font_italic_lettres, ...).
inline QString lookColumn(LookKind kind, Pane pane)
{
    return lookPrefix(kind) + paneSuffix(pane);
}

// The columns of tours, in the order a turn is read and written. Joueur, the turn's player, came
// with the second layout: an older table lacks it until its file is brought up to date.
enum class TurnColumn { Numero, Propal, Result, Trouvees, Restantes, Lettres, Joueur };

// The six columns every readable tours table has.
inline constexpr std::array<TurnColumn, 6> kTurnColumns = {
    TurnColumn::Numero,   TurnColumn::Propal,    TurnColumn::Result,
    TurnColumn::Trouvees, TurnColumn::Restantes, TurnColumn::Lettres};

inline QString turnColumn(TurnColumn column)
{
    switch (column) {
    case TurnColumn::Numero:
        return QStringLiteral("numero");
    case TurnColumn::Propal:
        return QStringLiteral("propal");
    case TurnColumn::Result:
        return QStringLiteral("result");
    case TurnColumn::Trouvees:
        return QStringLiteral("trouvees");
    case TurnColumn::Restantes:
        return QStringLiteral("restantes");
    case TurnColumn::Lettres:
        return QStringLiteral("lettres");
    case TurnColumn::Joueur:
        break;
    }
    return QStringLiteral("joueur");
}

// The six tours columns, then the player's when asked, comma-separated in their order, for
// SELECT and INSERT statements.
inline QString turnColumnList(bool withPlayer = false)
{
    QStringList names;
    for (TurnColumn column : kTurnColumns) {
        names << turnColumn(column);
    }
    if (withPlayer) {
        names << turnColumn(TurnColumn::Joueur);
    }
    return names.join(QStringLiteral(", "));
}

// The thread's earlier puzzles, where a version that does not know them never writes: one row
// each, numbered from 1 in the order they were started, with the texts and count the game
// tables keep for the current puzzle; and their turns, shaped as tours with the puzzle's number.
inline QString threadPuzzleTable() { return QStringLiteral("fil_enigmes"); }
inline QString threadTurnTable() { return QStringLiteral("fil_tours"); }
inline QString threadPuzzleColumn() { return QStringLiteral("enigme"); }
// The first turn of a puzzle the thread keeps: 0, unless its earliest turns could not be read
// when it was closed.
inline QString threadFirstTurnColumn() { return QStringLiteral("premier_tour"); }

// The table of the game's options, whose first row holds them, and its column for the ranking in
// the post (1 shown, 0 not).
inline QString optionsTable() { return QStringLiteral("options"); }
inline QString rankingColumn() { return QStringLiteral("classement"); }

// The column of options for the forum the thread is on, and the value stored for each forum. A
// file without the column, or with a value this version does not know, is on the forum of origin.
inline QString forumColumn() { return QStringLiteral("forum"); }
inline QString forumValue(Forum forum)
{
    switch (forum) {
    case Forum::Phpbb3:
        return QStringLiteral("phpbb3");
    case Forum::Mybb:
        return QStringLiteral("mybb");
    case Forum::Discourse:
        return QStringLiteral("discourse");
    case Forum::Markdown:
        return QStringLiteral("markdown");
    case Forum::Origine:
        break;
    }
    return QStringLiteral("origine");
}

// The columns of options for the thread's rules (1 chosen, 0 not): every letter hidden, accents
// optional in the proposals. A file without them plays by the usual rules.
inline QString allLettersColumn()
{
    return QStringLiteral("toutes_lettres");
}
inline QString optionalAccentsColumn()
{
    return QStringLiteral("accents_facultatifs");
}

// The recovery record of a game's unsaved work lies in a file of its own beside the game file
// (see RecoveryStore), attached to the game's connection under this name. Its table of the game
// as the window showed it, in one row, and its table of turns, shaped as tours.
inline QString recoverySchema() { return QStringLiteral("reprise"); }
inline QString recoveryGameTable() { return QStringLiteral("reprise_partie"); }
inline QString recoveryTurnTable() { return QStringLiteral("reprise_tours"); }

// The columns of the record's game, each named after the control or marker it keeps, and the
// history's size, how many of its leading turns are those of the saved history, and the mark of
// the saved game the record goes on from.
enum class RecoveryColumn {
    Ref,
    Soluce,
    Propal,
    Lettres,
    RemainingCount,
    FoundCount,
    Generation,
    Player,
    TurnCount,
    SavedTurns,
    SavedMark,
};

inline constexpr std::array<RecoveryColumn, 11> kRecoveryColumns = {
    RecoveryColumn::Ref,        RecoveryColumn::Soluce,         RecoveryColumn::Propal,
    RecoveryColumn::Lettres,    RecoveryColumn::RemainingCount, RecoveryColumn::FoundCount,
    RecoveryColumn::Generation, RecoveryColumn::Player,         RecoveryColumn::TurnCount,
    RecoveryColumn::SavedTurns, RecoveryColumn::SavedMark};

inline QString recoveryColumn(RecoveryColumn column)
{
    switch (column) {
    case RecoveryColumn::Ref:
        return QStringLiteral("ref");
    case RecoveryColumn::Soluce:
        return QStringLiteral("soluce");
    case RecoveryColumn::Propal:
        return QStringLiteral("propal");
    case RecoveryColumn::Lettres:
        return QStringLiteral("lettres");
    case RecoveryColumn::RemainingCount:
        return QStringLiteral("lettres_restantes");
    case RecoveryColumn::FoundCount:
        return QStringLiteral("lettres_trouvees");
    case RecoveryColumn::Generation:
        return QStringLiteral("generation");
    case RecoveryColumn::Player:
        return QStringLiteral("joueur");
    case RecoveryColumn::TurnCount:
        return QStringLiteral("tours");
    case RecoveryColumn::SavedTurns:
        return QStringLiteral("enregistres");
    case RecoveryColumn::SavedMark:
        break;
    }
    return QStringLiteral("enregistrement");
}

// How many of the file's earlier puzzles of the thread the record's game keeps, the record's own
// closed puzzles following them: NULL when the thread is as the file holds it. A column of the
// record's game from its third layout on; its closed puzzles are in tables shaped as the file's.
inline QString recoveryThreadKeptColumn()
{
    return QStringLiteral("fil_garde");
}

// Whether the record's game was left on purpose, without a save, rather than by a crash: a column
// of the record's game from its second layout on.
inline QString recoveryLeftColumn()
{
    return QStringLiteral("quittee");
}
