// What leaving the game needs, for every way of leaving it: the one rule of the quit, the
// window's frame and the other games.
#pragma once

#include "EngineTypes.h"

// The ways of leaving the game, each with its own question: «Quitter» (the button, the menu item
// and Ctrl+Q), the window's frame, and another game (new, opened or recent).
enum class LeaveWay { Quit, Close, OtherGame };

struct LeaveStep {
    enum class Kind {
        Leave,      // nothing to ask: the game may be left as it is
        Refuse,     // the question tells why the game stays
        AskToLeave, // Oui leaves, Non stays
        AskToSave,  // Oui saves then leaves (a failed save stays), Non leaves, Annuler stays
    };
    Kind kind = Kind::Leave;
    Question question = {};
};

// A game without a reference text cannot be quit but has nothing to lose otherwise; a saved game
// is left as it is.
LeaveStep leaveStep(LeaveWay way, bool hasReference, bool modified);
