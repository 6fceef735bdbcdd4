// The stores the benchmarks open: one 600-character game played for 10,000 turns, kept with its
// history or without it, its turns played by nobody or by a number of players in turn.
#pragma once

#include "StoreLocation.h"

#include <QString>

// The number of turns of the benchmarks' game, turn 0 included.
constexpr int kBenchTurns = 10000;

// Writes a new store at `path` holding the game played for kBenchTurns turns, the turns going to
// `players` players in turn ("Joueur n°0", "Joueur n°1", …; nobody when 0). Without history the
// same game is kept with no tours table at all. False when any step fails.
bool writeBenchStore(const QString& path, bool history, int players = 0);

// The same store in the run's scratch folder, written at its first use and shared afterwards;
// the benchmark stops when it cannot be written.
QString benchStore(bool history, int players = 0);

// A fresh copy of benchStore(history, players) under `name` in the scratch folder, for a
// benchmark that writes to its store.
QString benchStoreCopy(const QString& name, bool history, int players = 0);

// Writes a new store at `path` holding a thread of `puzzles` puzzles of the 600-character game,
// each played for `turns` turns after its turn 0 by three players in turn; the last one is the
// puzzle in play. False when any step fails.
bool writeThreadStore(const QString& path, int puzzles, int turns);

// A run whose command line names this game.
inline StoreLocationInputs commandLineNaming(const QString& path)
{
    return {{QStringLiteral("plimo"), path}, {}, {}, {}, {}, {}};
}
