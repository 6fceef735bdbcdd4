// Turning the post's BBCode into the HTML of its preview.
#include "PostPreview.h"
#include "LineBreaks.h"

#include <QList>
#include <QRegularExpression>

namespace {

// The element that draws each of the post's tags. The post writes its tags in lower case while
// the game's texts are upper case or have their brackets replaced, so no text of the game reads
// as a tag.
QString openingFor(const QString& tag, const QString& value, const QString& monospace)
{
    if (tag == QLatin1String("b"))
        return QStringLiteral("<b>");
    if (tag == QLatin1String("color"))
        return QStringLiteral("<span style=\"color:%1\">").arg(value);
    if (tag == QLatin1String("font"))
        return QStringLiteral("<span style=\"font-family:'%1'\">").arg(monospace);
    return QStringLiteral("<span style=\"font-size:x-large\">");
}

QString closingFor(const QString& tag)
{
    return tag == QLatin1String("b") ? QStringLiteral("</b>") : QStringLiteral("</span>");
}

// Text of the game, shown as it is: never markup, its blanks kept, its line breaks breaks.
void appendText(QString& html, QStringView text)
{
    html += withLineBreaks(text.toString().toHtmlEscaped(), u"<br />");
}

} // namespace

QString postPreviewHtml(const QString& post, const QString& monospaceFamily)
{
    static const QRegularExpression tagPattern(QStringLiteral(
        R"(\[(?:(b)|(color)=(#[0-9A-Fa-f]{6})|(font)=Courier New|(size)=5|/(b|color|font|size))\])"));
    QString monospace = monospaceFamily;
    monospace.remove(QLatin1Char('\'')).remove(QLatin1Char('"'));
    monospace = monospace.toHtmlEscaped();

    QString html = QStringLiteral("<p style=\"white-space:pre-wrap\">");
    QList<QString> open;
    qsizetype done = 0;
    QRegularExpressionMatchIterator tags = tagPattern.globalMatch(post);
    while (tags.hasNext()) {
        const QRegularExpressionMatch tag = tags.next();
        const QString closing = tag.captured(6);
        // A closing tag that closes nothing open is text, so the HTML stays well formed.
        if (!closing.isEmpty() && (open.isEmpty() || open.last() != closing))
            continue;
        appendText(html, QStringView(post).mid(done, tag.capturedStart() - done));
        done = tag.capturedEnd();
        if (!closing.isEmpty()) {
            html += closingFor(open.takeLast());
            continue;
        }
        for (int group : {1, 2, 4, 5}) {
            if (tag.hasCaptured(group)) {
                const QString name = tag.captured(group);
                html += openingFor(name, tag.captured(3), monospace);
                open.append(name);
            }
        }
    }
    appendText(html, QStringView(post).mid(done));
    while (!open.isEmpty())
        html += closingFor(open.takeLast());
    return html + QStringLiteral("</p>");
}
