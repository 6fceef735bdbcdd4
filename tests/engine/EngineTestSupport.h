// Shared helpers of the engine tests: readable QString output and a freshly initialised game.
#pragma once

#include "GamePrinters.h"
#include "PuzzleEngine.h"

#include <gtest/gtest.h>

#include <QString>

#include <ostream>

// The refusal shown for a text longer than 600 characters, typo included.
inline const QString kTooLongText = QStringLiteral(
    "La taille du texte ne peut d'dépasser 600 caractères.\rMerci de réduire votre texte.");

namespace {

// A named row of the tables that map one text to the text it should give.
struct TextCase {
    const char* name;
    QString input;
    QString expected;
};

template <typename Case>
concept NamedCase = requires(const Case& c)
{
    c.name;
};

// Case tables name their rows: failure output shows the name, not the bytes. The constraint
// makes this overload win over gtest's catch-all printer.
template <NamedCase Case> void PrintTo(const Case& c, std::ostream* os)
{
    *os << c.name;
}

// Names each instantiated case after its row.
template <NamedCase Case> std::string caseName(const testing::TestParamInfo<Case>& info)
{
    return info.param.name;
}

} // namespace

// A session whose reference text has just been initialised by the given engine.
inline GameSession initialisedSession(PuzzleEngine& engine, const QString& reference)
{
    GameSession session;
    session.ref = reference;
    const std::optional<Refusal> refusal = engine.initialisePuzzle(session);
    EXPECT_FALSE(refusal.has_value()) << "initialising " << reference.toStdString();
    return session;
}
