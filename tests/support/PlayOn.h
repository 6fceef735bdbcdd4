// The master who plays on: Oui to every question «Générer» asks (a proposal played before).
#pragma once

#include "EngineTypes.h"

inline Answer playOn(const Question&)
{
    return Answer::Yes;
}
