// Mouse, focus and paste behaviour of the proposal pane.
#include "ProposalPane.h"

#include "FocusMove.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QMouseEvent>
#include <QTextDocumentFragment>

const QString ProposalPane::kPasteTooLongMessage = QStringLiteral(
    "Le texte collé est trop long (plus de 100 000 caractères) : il n'a pas été collé.");

namespace {

// Whether the plain text that the pane would take from source fits. The text is built once;
// HTML offered without plain text is parsed only when its source is longer than the bound,
// since markup never yields more characters than it is written with.
bool pasteFits(const QMimeData* source)
{
    const QString text = source->text();
    if (!text.isEmpty() || !source->hasHtml())
        return ProposalPane::pasteFits(text);
    const QString html = source->html();
    return ProposalPane::pasteFits(html) ||
           ProposalPane::pasteFits(QTextDocumentFragment::fromHtml(html).toPlainText());
}

} // namespace

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
    if (pasteFits(text))
        Q_EMIT pasteRequested(text);
    else
        refusePaste();
}

void ProposalPane::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
}

// Text dragged within the pane is already in it: a move removes it before inserting it again,
// so refusing it there would lose it.
void ProposalPane::dropEvent(QDropEvent* event)
{
    m_inDrop = true;
    m_dropWithin = event->source() == this || event->source() == viewport();
    QTextEdit::dropEvent(event);
    m_inDrop = false;
    m_dropWithin = false;
}

// Qt's own test builds the whole text, and runs on every move of a drag over the pane; the
// formats on offer are enough to know whether a drop can be taken.
bool ProposalPane::canInsertFromMimeData(const QMimeData* source) const
{
    return source->hasText() || source->hasHtml() ||
           source->hasFormat(QStringLiteral("application/x-qrichtext")) ||
           source->hasFormat(QStringLiteral("application/x-qt-richtext"));
}

void ProposalPane::insertFromMimeData(const QMimeData* source)
{
    if (m_dropWithin || ::pasteFits(source))
        QTextEdit::insertFromMimeData(source);
    else
        refusePaste();
}

// A drop is answered only once it is over: a modal box inside the drop would keep the program
// the text came from waiting for the end of the drag.
void ProposalPane::refusePaste()
{
    if (m_inDrop)
        QMetaObject::invokeMethod(this, &ProposalPane::pasteRefused, Qt::QueuedConnection);
    else
        Q_EMIT pasteRefused();
}
