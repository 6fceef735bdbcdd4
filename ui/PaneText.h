// Line breaks between the engine's texts (CR LF) and the panes' (one "\n" per break).
#pragma once

#include <QString>

class QTextDocument;
class QTextEdit;

namespace panetext {

// A pane's text character for character, each line break as "\n". Unlike toPlainText(), a
// non-breaking space stays one: the game's rules compare code points exactly.
QString exactText(const QTextDocument* document);
// A text as a pane reads it back: the separators a document keeps as such become "\n".
QString withPaneBreaks(QString text);

// A pane's plain text as the engine reads it: every line break becomes CR LF.
QString fromPane(const QString& paneText);

// An engine text as a pane holds it: CR LF, then any lone CR, become "\n".
QString toPane(const QString& engineText);

// The pane index of an engine position (0-based) in the engine form of a pane's text.
qsizetype paneIndex(const QString& engineText, qsizetype engineIndex);
// The same, kept within a pane of paneLength characters, which may have been edited since the
// engine text was read.
int panePosition(const QString& engineText, qsizetype engineIndex, qsizetype paneLength);

// Replaces the rich pane's text by newPaneText, rewriting only the part that differs so that
// the untouched characters keep their colours and fonts.
void replaceKeepingFormat(QTextEdit* pane, const QString& newPaneText);

} // namespace panetext
