// The font a pane's look gives.
#include "PaneStyle.h"

#include "AppearanceItems.h"

#include <QFont>

QFont paneFont(const PaneStyle& style)
{
    return fontFromChoice(style.font);
}
