// The stored look laid over a pane's design-time look, and the font a look gives.
#include "PaneStyle.h"

#include "AppearanceItems.h"
#include "GameStore.h"

#include <QFont>

PaneStyle styleOver(PaneStyle style, const StoredPaneLook& look)
{
    style.background = look.background.value_or(style.background);
    style.text = look.text.value_or(style.text);
    style.font.name = look.font.name.value_or(style.font.name);
    style.font.size = look.font.size.value_or(style.font.size);
    style.font.bold = look.font.bold.value_or(style.font.bold);
    style.font.italic = look.font.italic.value_or(style.font.italic);
    return style;
}

QFont paneFont(const PaneStyle& style)
{
    return fontFromChoice(style.font);
}
