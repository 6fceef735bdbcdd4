// Design geometry is given in twips; the window works in pixels at 15 twips per pixel.
#pragma once

#include <QRect>

namespace twips {

inline constexpr double kTwipsPerPixel = 15.0;

inline int toPixels(int value)
{
    return static_cast<int>(value / kTwipsPerPixel + 0.5);
}

// A rectangle given as left, top, width, height in twips.
inline QRect rect(int left, int top, int width, int height)
{
    return QRect(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

} // namespace twips
