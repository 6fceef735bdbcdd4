// Mouse and focus behaviour of the proposal pane.
#include "ProposalPane.h"

#include "FocusMove.h"

#include <QContextMenuEvent>
#include <QFocusEvent>
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
    if (event->button() == Qt::RightButton && toPlainText().isEmpty())
        Q_EMIT pasteRequested();
}

void ProposalPane::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
}
