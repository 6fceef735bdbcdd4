// Conversions between the panes' line breaks and the engine's, and the formatting-keeping rewrite.
#include "PaneText.h"

#include "LineBreaks.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <algorithm>

namespace panetext {

QString exactText(const QTextDocument* document)
{
    return withPaneBreaks(document->toRawText());
}

QString withPaneBreaks(QString text)
{
    for (QChar& c : text) {
        switch (c.unicode()) {
        case 0x2028: // line separator
        case 0x2029: // paragraph separator
        case 0xFDD0: // frame start
        case 0xFDD1: // frame end
            c = u'\n';
            break;
        default:
            break;
        }
    }
    return text;
}

QString fromPane(const QString& paneText)
{
    QString text = paneText;
    text.replace(u'\n', QStringLiteral("\r\n"));
    return text;
}

QString toPane(const QString& engineText)
{
    return withLineBreaks(engineText, u"\n");
}

qsizetype paneIndex(const QString& engineText, qsizetype engineIndex)
{
    const qsizetype end = std::min(engineIndex, engineText.size());
    qsizetype pairs = 0;
    for (qsizetype i = 1; i < end; ++i)
        if (engineText.at(i - 1) == u'\r' && engineText.at(i) == u'\n')
            ++pairs;
    return engineIndex - pairs;
}

int panePosition(const QString& engineText, qsizetype engineIndex, qsizetype paneLength)
{
    return static_cast<int>(
        std::clamp<qsizetype>(paneIndex(engineText, engineIndex), 0, paneLength));
}

void replaceKeepingFormat(QTextEdit* pane, const QString& newPaneText)
{
    const QString old = exactText(pane->document());
    if (old == newPaneText)
        return;
    const qsizetype shorter = std::min(old.size(), newPaneText.size());
    qsizetype prefix = 0;
    while (prefix < shorter && old.at(prefix) == newPaneText.at(prefix))
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix &&
           old.at(old.size() - 1 - suffix) == newPaneText.at(newPaneText.size() - 1 - suffix))
        ++suffix;

    QTextCursor cursor(pane->document());
    cursor.setPosition(static_cast<int>(prefix));
    cursor.setPosition(static_cast<int>(old.size() - suffix), QTextCursor::KeepAnchor);
    cursor.insertText(newPaneText.mid(prefix, newPaneText.size() - prefix - suffix));
}

} // namespace panetext
