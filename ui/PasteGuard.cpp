// The bound and the cleaning of pastes, shared by the reference and proposal panes.
#include "PasteGuard.h"

#include <QDropEvent>
#include <QMetaObject>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTextDocumentFragment>
#include <QTextEdit>

const QString paste::kTooLongMessage = QStringLiteral(
    "Le texte collé est trop long (plus de 100 000 caractères) : il n'a pas été collé.");

namespace {

const QString kRichTextFormats[] = {QStringLiteral("application/x-qrichtext"),
                                    QStringLiteral("application/x-qt-richtext")};

bool isDroppedControl(char32_t c)
{
    return c <= 0x08 || c == 0x0B || c == 0x0C || (c >= 0x0E && c <= 0x1F) || c == 0x7F;
}

// A character that may follow "&" in a numeric reference.
bool inReference(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f') || (u >= u'A' && u <= u'F') ||
           u == u'#' || u == u'x' || u == u'X';
}

// Where a reference would start that the text before `end` begins ("&", "&#", "&#x1"): what a
// removal joins there may be a reference too ("&&#1;#2;" leaves "&#2;").
qsizetype startOfReferenceEndingAt(const QString& text, qsizetype end)
{
    qsizetype at = end;
    while (at > 0 && inReference(text.at(at - 1)))
        --at;
    return at > 0 && text.at(at - 1) == u'&' ? at - 1 : end;
}

// Whether the plain text that a pane would take from source fits. The text is built once;
// HTML offered without plain text is parsed only when its source is longer than the bound,
// since markup never yields more characters than it is written with.
bool fits(const QMimeData* source)
{
    const QString text = source->text();
    if (!text.isEmpty() || !source->hasHtml())
        return paste::fits(text);
    const QString html = source->html();
    return paste::fits(html) || paste::fits(QTextDocumentFragment::fromHtml(html).toPlainText());
}

// The text formats a pane reads, each without its control characters.
std::unique_ptr<QMimeData> cleaned(const QMimeData* source)
{
    auto clean = std::make_unique<QMimeData>();
    if (source->hasText())
        clean->setText(paste::withoutControlCharacters(source->text()));
    if (source->hasHtml())
        clean->setHtml(paste::htmlWithoutControlCharacters(source->html()));
    for (const QString& format : kRichTextFormats)
        if (source->hasFormat(format))
            clean->setData(
                format, paste::htmlWithoutControlCharacters(QString::fromUtf8(source->data(format)))
                            .toUtf8());
    return clean;
}

} // namespace

QString paste::withoutControlCharacters(QString text)
{
    text.removeIf([](QChar c) { return isDroppedControl(c.unicode()); });
    return text;
}

QString paste::htmlWithoutControlCharacters(const QString& html)
{
    static const QRegularExpression reference(QStringLiteral("&#([xX][0-9a-fA-F]+|[0-9]+);"));
    QString result = paste::withoutControlCharacters(html);
    for (qsizetype at = 0;;) {
        const QRegularExpressionMatch match = reference.match(result, at);
        if (!match.hasMatch())
            return result;
        const QString number = match.captured(1);
        bool ok = false;
        const uint value = number.startsWith(u'x', Qt::CaseInsensitive)
                               ? number.mid(1).toUInt(&ok, 16)
                               : number.toUInt(&ok, 10);
        if (ok && isDroppedControl(value)) {
            result.remove(match.capturedStart(), match.capturedLength());
            at = startOfReferenceEndingAt(result, match.capturedStart());
        } else {
            at = match.capturedEnd();
        }
    }
}

// A drop is answered only once it is over: a modal box inside the drop would keep the program
// the text came from waiting for the end of the drag.
template <typename Edit> void GuardedPaste<Edit>::refusePaste()
{
    if (m_inDrop)
        QMetaObject::invokeMethod(
            this, [this] { pasteWasRefused(); }, Qt::QueuedConnection);
    else
        pasteWasRefused();
}

// Text dragged within the pane is already in it: a move removes it before inserting it again,
// so refusing it there would lose it.
template <typename Edit> void GuardedPaste<Edit>::dropEvent(QDropEvent* event)
{
    m_inDrop = true;
    m_dropWithin = event->source() == this || event->source() == this->viewport();
    Edit::dropEvent(event);
    m_inDrop = false;
    m_dropWithin = false;
}

// Qt's own test builds the whole text, and runs on every move of a drag over the pane; the
// formats on offer are enough to know whether a drop can be taken.
template <typename Edit>
bool GuardedPaste<Edit>::canInsertFromMimeData(const QMimeData* source) const
{
    if (source->hasText() || source->hasHtml())
        return true;
    for (const QString& format : kRichTextFormats)
        if (source->hasFormat(format))
            return true;
    return false;
}

template <typename Edit> void GuardedPaste<Edit>::insertFromMimeData(const QMimeData* source)
{
    if (m_dropWithin || fits(source))
        Edit::insertFromMimeData(cleaned(source).get());
    else
        refusePaste();
}

template class GuardedPaste<QTextEdit>;
template class GuardedPaste<QPlainTextEdit>;
