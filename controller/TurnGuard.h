// What «Générer» does before it plays a turn: a refused proposal is told, the last turn's
// proposal again is no act (a second click), a won game takes no turn, and a proposal an earlier
// turn played is asked about.
#pragma once

#include "EngineTypes.h"
#include "GameSession.h"
#include "TurnHistory.h"

#include <functional>
#include <optional>

class GameFile;

// The outcome of «Générer» when the turn is not to be played, or nothing when it is; `player`
// is the field joueur as typed.
std::optional<EvaluationResult> guardTurn(const GameSession& game, const TurnHistory& history,
                                          const GameFile& file, const QString& player,
                                          const std::function<Answer(const Question&)>& ask);
