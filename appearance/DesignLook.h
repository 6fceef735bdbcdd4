// The design-time look of the four panes as a new game's couleurs row holds it.
#pragma once

#include "GameStore.h"

#include <QList>

// Each pane's six couleurs fields at their design-time values, the font size in whole points as
// the font menus store it.
QList<FieldValue> designLookFields();
