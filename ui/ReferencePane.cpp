// Focus-loss reporting of the reference text pane.
#include "ReferencePane.h"

#include "FocusMove.h"

#include <QFocusEvent>

void ReferencePane::focusOutEvent(QFocusEvent* event)
{
    QPlainTextEdit::focusOutEvent(event);
    if (isFocusMove(event->reason()))
        Q_EMIT focusLeft();
}

void ReferencePane::pasteWasRefused()
{
    Q_EMIT pasteRefused();
}
