// Conversions between stored colour values (0x00BBGGRR, top bit = system colour) and QColor.
#pragma once

#include "PaneLook.h"

#include <QColor>
#include <QPalette>

// The colour a stored value stands for; system colours come from the given palette.
QColor colourFromStored(StoredColour value, const QPalette& palette);

// The stored form of an ordinary colour (alpha dropped, top bit clear).
StoredColour storedFromColour(const QColor& colour);
