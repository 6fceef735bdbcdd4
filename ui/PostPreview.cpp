// Drawing the post's lines as each forum draws its markup.
#include "PostPreview.h"

#include "LineBreaks.h"

#include <array>

namespace {

// Where a part is drawn: in the line, in a block of its own with a background (a code box), or
// on a background of its own within the line (a code span).
enum class Box { None, Block, Span };

struct PartLook {
    bool monospace = false;
    const char* size = nullptr; // a font-size keyword
    const char* colour = nullptr;
    bool bold = false;
    Box box = Box::None;
};

constexpr PartLook kPlain{};
constexpr PartLook kBoldRed{false, nullptr, "#FF0000", true};
constexpr PartLook kBold{false, nullptr, nullptr, true};
constexpr PartLook kCodeBlock{true, nullptr, nullptr, false, Box::Block};

// By Forum, then by PostPart. [size=5] and MyBB's x-large are half as large again as the body;
// phpBB's code box is green, a little smaller than the body; Discourse's code spans are red.
constexpr std::array<std::array<PartLook, 6>, 5> kLooks = {{
    {kPlain, kPlain, PartLook{true, "x-large"}, kBoldRed, PartLook{true, "x-large", "#4132F5"},
     kBold},
    {kPlain, kPlain, PartLook{true, nullptr, "#2E8B57", false, Box::Block}, kBoldRed,
     PartLook{true, nullptr, "#2E8B57", false, Box::Block}, kBold},
    {kPlain, kPlain, PartLook{true, "x-large"}, kBoldRed, PartLook{true, "x-large", "#4132F5"},
     kBold},
    {kPlain, kPlain, kCodeBlock, kBold, PartLook{true, nullptr, "#C80001", false, Box::Span},
     kBold},
    {kPlain, kPlain, kCodeBlock, kBold, PartLook{true, nullptr, nullptr, false, Box::Span}, kBold},
}};

const QString kBackground = QStringLiteral("#EEEEEE");

QString styleOf(const PartLook& look, const QString& monospace)
{
    QString style;
    if (look.monospace)
        style += QStringLiteral("font-family:'%1';").arg(monospace);
    if (look.size)
        style += QStringLiteral("font-size:%1;").arg(QLatin1String(look.size));
    if (look.colour)
        style += QStringLiteral("color:%1;").arg(QLatin1String(look.colour));
    if (look.bold)
        style += QStringLiteral("font-weight:bold;");
    if (look.box == Box::Span)
        style += QStringLiteral("background-color:%1;").arg(kBackground);
    return style;
}

} // namespace

QString postPreviewHtml(const QList<PostLine>& lines, Forum forum, const QString& monospaceFamily)
{
    // The family comes from the stored look: whatever it holds, it names a font and nothing else.
    QString monospace = monospaceFamily;
    monospace.remove(QLatin1Char('\'')).remove(QLatin1Char('"'));
    monospace = monospace.toHtmlEscaped();

    const std::array<PartLook, 6>& looks = kLooks[std::size_t(forum)];
    QString html;
    // Each line is a paragraph, and an empty one ends the post, so that the plain text ends each
    // line with one line break.
    // Qt keeps an empty paragraph only when it is marked as one.
    const QString empty =
        QStringLiteral("<p style=\"-qt-paragraph-type:empty;margin:0\"><br /></p>");
    for (const PostLine& line : lines) {
        if (line.isEmpty()) {
            html += empty;
            continue;
        }
        const bool boxed = looks[std::size_t(line.last().part)].box == Box::Block;
        html +=
            QStringLiteral("<p style=\"margin:%1;white-space:pre-wrap;%2\">")
                .arg(boxed ? QStringLiteral("4px 0") : QStringLiteral("0"),
                     boxed ? QStringLiteral("background-color:%1;").arg(kBackground) : QString());
        for (const PostPiece& piece : line) {
            html += QStringLiteral("<span style=\"%1\">")
                        .arg(styleOf(looks[std::size_t(piece.part)], monospace));
            html += withLineBreaks(piece.text.toHtmlEscaped(), u"<br />");
            html += QStringLiteral("</span>");
        }
        html += QStringLiteral("</p>");
    }
    return html + empty;
}
