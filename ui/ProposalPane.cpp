// Mouse and focus behaviour of the proposal pane.
#include "ProposalPane.h"

#include "FocusMove.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QMouseEvent>

void ProposalPane::focusOutEvent(QFocusEvent* event)
{
    QTextEdit::focusOutEvent(event);
    if (isFocusMove(event->reason()))
        Q_EMIT focusLeft();
}

void ProposalPane::mousePressEvent(QMouseEvent* event)
{
    QTextEdit::mousePressEvent(event);
    if (event->button() != Qt::RightButton || !toPlainText().isEmpty())
        return;
    const QString text = QGuiApplication::clipboard()->text();
    if (paste::fits(text))
        Q_EMIT pasteRequested(paste::withoutControlCharacters(text));
    else
        refusePaste();
}

void ProposalPane::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
}

void ProposalPane::pasteWasRefused()
{
    Q_EMIT pasteRefused();
}
