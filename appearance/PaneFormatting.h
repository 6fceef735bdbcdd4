// Applying a background colour, text colour or font to a pane at once.
#pragma once

#include <QColor>
#include <QFont>

class QTextCharFormat;
class QTextEdit;
class QWidget;

void applyBackground(QWidget* pane, const QColor& colour);

// On the rich-text proposal pane the colour or font covers every character, every line and the
// insertion point at the end, in one merge over the whole text, so that the pane types in it
// even once emptied; other panes take it as a whole.
void applyTextColour(QWidget* pane, const QColor& colour);
void applyFont(QWidget* pane, const QFont& font);

// One merge of the format over the whole proposal, then onto the insertion point at its end.
void mergeOverWholeText(QTextEdit* edit, const QTextCharFormat& format);
