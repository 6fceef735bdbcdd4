// Pane colours and fonts, with the proposal pane formatted per character in a single merge.
#include "PaneFormatting.h"

#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>

void applyBackground(QWidget* pane, const QColor& colour)
{
    QPalette palette = pane->palette();
    palette.setColor(QPalette::Base, colour);
    pane->setPalette(palette);
}

void mergeOverWholeText(QTextEdit* edit, const QTextCharFormat& format)
{
    QTextCursor cursor(edit->document());
    cursor.select(QTextCursor::Document);
    // Every line's own format takes it too: a pane emptied later keeps its first line's, and
    // the first character typed there must not fall back to an older look. The lines' formats
    // go first: changing them alone drops the lines' layout without laying them out again, and
    // a shown pane would draw none of its text until the next edit.
    cursor.mergeBlockCharFormat(format);
    cursor.mergeCharFormat(format);
    // Text typed at the end later takes the format too.
    cursor.movePosition(QTextCursor::End);
    edit->setTextCursor(cursor);
    edit->mergeCurrentCharFormat(format);
}

void applyTextColour(QWidget* pane, const QColor& colour)
{
    if (auto* edit = qobject_cast<QTextEdit*>(pane)) {
        QTextCharFormat format;
        format.setForeground(colour);
        mergeOverWholeText(edit, format);
        return;
    }
    QPalette palette = pane->palette();
    palette.setColor(QPalette::Text, colour);
    pane->setPalette(palette);
}

void applyFont(QWidget* pane, const QFont& font)
{
    if (auto* edit = qobject_cast<QTextEdit*>(pane)) {
        QTextCharFormat format;
        format.setFontWeight(font.bold() ? QFont::Bold : QFont::Normal);
        format.setFontItalic(font.italic());
        format.setFontPointSize(font.pointSizeF());
        format.setFontFamilies({font.family()});
        mergeOverWholeText(edit, format);
        // What an empty document types in when no line keeps a format of its own.
        edit->setFont(font);
        return;
    }
    pane->setFont(font);
}
