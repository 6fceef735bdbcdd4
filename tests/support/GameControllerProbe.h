// The game controller's parts that only tests set up or inspect directly: its engine (the save
// and generation markers, the snapshot), its store and its turn history.
#pragma once

#include "GameController.h"

struct GameControllerProbe {
    static PuzzleEngine& engine(GameController& game) { return game.m_engine; }
    static GameStore& store(GameController& game) { return *game.m_store; }
    static const TurnHistory& history(const GameController& game) { return game.m_history; }
};
