// Stored colour values mapped to Qt colours and back.
#include "StoredColour.h"

namespace {

// Classic system colour indexes mapped to the nearest role of the platform palette.
QColor systemColour(int index, const QPalette& palette)
{
    switch (index) {
    case 2:  // active title bar
    case 13: // selected item
        return palette.color(QPalette::Active, QPalette::Highlight);
    case 3: // inactive title bar
        return palette.color(QPalette::Inactive, QPalette::Window);
    case 5:  // window background
    case 24: // tooltip background
        return palette.color(index == 24 ? QPalette::ToolTipBase : QPalette::Base);
    case 7:  // menu text
    case 8:  // window text
    case 9:  // title bar text
    case 19: // inactive title bar text
        return palette.color(QPalette::WindowText);
    case 14:
        return palette.color(QPalette::HighlightedText);
    case 16:
    case 21:
        return palette.color(index == 16 ? QPalette::Mid : QPalette::Shadow);
    case 17:
        return palette.color(QPalette::Disabled, QPalette::Text);
    case 18:
        return palette.color(QPalette::ButtonText);
    case 20:
    case 22:
        return palette.color(QPalette::Light);
    case 23:
        return palette.color(QPalette::ToolTipText);
    default: // faces, borders, workspace, desktop, menu, scroll bars
        return palette.color(QPalette::Button);
    }
}

} // namespace

QColor colourFromStored(StoredColour value, const QPalette& palette)
{
    const auto bits = static_cast<std::uint32_t>(value);
    if (bits & 0x80000000u)
        return systemColour(static_cast<int>(bits & 0xFFu), palette);
    return QColor(int(bits & 0xFFu), int((bits >> 8) & 0xFFu), int((bits >> 16) & 0xFFu));
}

StoredColour storedFromColour(const QColor& colour)
{
    const QColor rgb = colour.toRgb();
    return static_cast<StoredColour>(static_cast<std::uint32_t>(rgb.red()) |
                                     (static_cast<std::uint32_t>(rgb.green()) << 8) |
                                     (static_cast<std::uint32_t>(rgb.blue()) << 16));
}
