// Conversions between stored colour values (0x00BBGGRR, top bit = system colour) and QColor.
#pragma once

#include <QColor>
#include <QPalette>

#include <cstdint>

// The value as stored: red in the lowest byte; a set top bit names a system colour by index.
using StoredColour = std::int32_t;

// The colour a stored value stands for; system colours come from the given palette.
QColor colourFromStored(StoredColour value, const QPalette& palette);

// The stored form of an ordinary colour (alpha dropped, top bit clear).
StoredColour storedFromColour(const QColor& colour);

// Design-time system colours the window uses.
inline constexpr StoredColour kSystemInactiveTitleBar = static_cast<StoredColour>(0x80000003u);
inline constexpr StoredColour kSystemWindowBackground = static_cast<StoredColour>(0x80000005u);
