// The one conversion of line breaks between the forms the game's texts meet.
#pragma once

#include <QString>
#include <QStringView>

// The text with every line break, CR LF or a lone CR or LF, replaced by lineBreak: CR LF for
// the game's own texts, "\n" for a pane, a blank for one line of a table.
QString withLineBreaks(const QString& text, QStringView lineBreak);
