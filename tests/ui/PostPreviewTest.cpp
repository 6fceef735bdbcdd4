// The post's preview: its plain text is the post without its tags, one line break for each of the
// post's own (CR LF, CR or LF), blanks kept; [b], [color], [font=Courier New] and [size=5] draw as
// a forum draws them; the game's texts, tags the post does not use and unmatched closing tags
// stay text; the monospace family given names a font and nothing else.
#include "PostPreview.h"

#include "GamePrinters.h"

#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

struct PreviewCase {
    const char* name;
    QString post;
    QString plain;
};

class PostPreviewText : public testing::TestWithParam<PreviewCase> {};

TEST_P(PostPreviewText, IsThePostWithoutItsTags)
{
    QTextDocument document;
    document.setHtml(postPreviewHtml(GetParam().post, QStringLiteral("Liberation Mono")));
    EXPECT_EQ(document.toPlainText(), GetParam().plain);
}

const PreviewCase kPreviewCases[] = {
    {"CountLine", QStringLiteral("[b][color=#FF0000]12[/color][/b] lettre(s) trouvée(s). \r"),
     QStringLiteral("12 lettre(s) trouvée(s). \n")},
    {"BlanksKept", QStringLiteral("[font=Courier New][size=5]LE  ** ***[/size][/font]\r"),
     QStringLiteral("LE  ** ***\n")},
    {"EachLineBreakOnce", QStringLiteral("A\r\nB\rC\nD\r\r"), QStringLiteral("A\nB\nC\nD\n\n")},
    {"MarkupInANameIsText", QStringLiteral("1. <b>x</b> & co : 0 lettre\r"),
     QStringLiteral("1. <b>x</b> & co : 0 lettre\n")},
    {"UnknownTagsAreText", QStringLiteral("[i]a[/i] [color=red]b[/color] [size=7]c"),
     QStringLiteral("[i]a[/i] [color=red]b[/color] [size=7]c")},
    {"UnmatchedClosingTagsAreText", QStringLiteral("[/b]a[b]b[/size][/b]"),
     QStringLiteral("[/b]ab[/size]")},
    {"UpperCaseGameTextIsText", QStringLiteral("[font=Courier New][B]**[/B][/font]"),
     QStringLiteral("[B]**[/B]")},
};

INSTANTIATE_TEST_SUITE_P(Cases, PostPreviewText, testing::ValuesIn(kPreviewCases),
                         [](const testing::TestParamInfo<PreviewCase>& info) {
                             return std::string(info.param.name);
                         });

// The format of the first character of `text` in the drawn post.
QTextCharFormat formatOf(const QTextDocument& document, const QString& text)
{
    QTextCursor cursor = document.find(text);
    EXPECT_FALSE(cursor.isNull()) << text.toStdString();
    cursor.setPosition(cursor.selectionStart() + 1);
    return cursor.charFormat();
}

TEST(PostPreview, DrawsTheTagsAsAForumDoes)
{
    QTextDocument document;
    document.setHtml(
        postPreviewHtml(QStringLiteral("[font=Courier New][size=5]L* CHAT[/size][/font]\r"
                                       "[b][color=#4132F5]12[/color][/b] plain\r"),
                        QStringLiteral("Liberation Mono")));
    const QTextCharFormat found = formatOf(document, QStringLiteral("L* CHAT"));
    const QTextCharFormat count = formatOf(document, QStringLiteral("12"));
    const QTextCharFormat plain = formatOf(document, QStringLiteral("plain"));
    EXPECT_EQ(found.fontFamilies().toStringList(), QStringList{QStringLiteral("Liberation Mono")});
    EXPECT_GT(found.font().pointSizeF(), plain.font().pointSizeF());
    EXPECT_EQ(count.fontWeight(), QFont::Bold);
    EXPECT_EQ(count.foreground().color(), QColor(0x41, 0x32, 0xF5));
    EXPECT_NE(plain.fontWeight(), QFont::Bold);
    EXPECT_FALSE(plain.hasProperty(QTextFormat::ForegroundBrush));
}

// The family comes from the stored look: whatever it holds, it names a font and nothing else.
TEST(PostPreview, TheFamilyNameCannotRestyleThePreview)
{
    for (const QString& family : {QStringLiteral("Mono';color:#FFFFFF;x:'"),
                                  QStringLiteral("Mono\"><span style=\"color:#FFFFFF\">")}) {
        QTextDocument document;
        document.setHtml(postPreviewHtml(
            QStringLiteral("[font=Courier New][size=5]L* CHAT[/size][/font]"), family));
        EXPECT_EQ(document.toPlainText(), QStringLiteral("L* CHAT")) << family.toStdString();
        EXPECT_FALSE(
            formatOf(document, QStringLiteral("L* CHAT")).hasProperty(QTextFormat::ForegroundBrush))
            << family.toStdString();
    }
}

} // namespace
