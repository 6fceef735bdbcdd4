// The look of a pane as the window shows it: the stored look over the design-time one, and the
// font it gives.
#pragma once

#include "PaneLook.h"

class QFont;

// A pane's background colour, text colour and font, in their stored forms.
using PaneStyle = PaneLook;

// The font the pane shows for this look.
QFont paneFont(const PaneStyle& style);
