// The post's preview: its plain text is each line's text followed by a line break, blanks and the
// texts' own line breaks kept, and no name or text of the game ever reads as markup; each forum
// draws the found text, the counts and the remaining letters in its own face, size, colour and
// box; the monospace family given names a font and nothing else.
#include "PostPreview.h"

#include "GamePrinters.h"
#include "LineBreaks.h"

#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {

struct DrawnCase {
    const char* name;
    Forum forum;
    bool larger;     // the found text and the remaining letters, than the post's words
    bool foundBoxed; // in a block with a background of its own
    bool countsRed;
    QColor letters;     // invalid: the text's own colour
    bool lettersOnBack; // a code span's background
};

class PostPreviewDrawing : public testing::TestWithParam<DrawnCase> {};

// Just after the first character of `text` in the drawn post.
QTextCursor cursorAt(const QTextDocument& document, const QString& text)
{
    QTextCursor cursor = document.find(text);
    EXPECT_FALSE(cursor.isNull()) << text.toStdString();
    cursor.setPosition(cursor.selectionStart() + 1);
    return cursor;
}

TEST_P(PostPreviewDrawing, DrawsEachPartAsItsForumDoes)
{
    const DrawnCase& c = GetParam();
    const QList<PlayerStanding> ranking{{QStringLiteral("<b>x</b> & [co]"), 0, 1}};
    GameSession game;
    game.soluce = QStringLiteral("L*  CHAT\r\nX");
    game.lettres_trouvees = 12;
    game.lettres_restantes = 3;
    game.lettres = QStringLiteral("E T ");
    const ForumPost post = forumPost(c.forum, game, &ranking);
    QTextDocument document;
    document.setHtml(postPreviewHtml(post.lines, c.forum, QStringLiteral("Liberation Mono")));
    QString plain;
    for (const PostLine& line : post.lines) {
        for (const PostPiece& piece : line)
            plain += withLineBreaks(piece.text, u"\n");
        plain += u'\n';
    }
    EXPECT_EQ(document.toPlainText(), plain);
    EXPECT_TRUE(plain.contains(QStringLiteral("1. <b>x</b> & ")));

    const QTextCursor found = cursorAt(document, QStringLiteral("L*  CHAT"));
    const QTextCharFormat words = cursorAt(document, QStringLiteral("lettres à")).charFormat();
    const QTextCharFormat count = cursorAt(document, QStringLiteral("12")).charFormat();
    const QTextCharFormat letters = cursorAt(document, QStringLiteral("E T")).charFormat();
    const QStringList mono{QStringLiteral("Liberation Mono")};
    EXPECT_EQ(found.charFormat().fontFamilies().toStringList(), mono);
    EXPECT_EQ(found.charFormat().font().pointSizeF() > words.font().pointSizeF(), c.larger);
    EXPECT_EQ(letters.font().pointSizeF() > words.font().pointSizeF(), c.larger);
    EXPECT_EQ(found.blockFormat().hasProperty(QTextFormat::BackgroundBrush), c.foundBoxed);
    EXPECT_EQ(count.fontWeight(), QFont::Bold);
    EXPECT_EQ(count.foreground().color() == QColor(0xFF, 0, 0), c.countsRed);
    EXPECT_EQ(letters.fontFamilies().toStringList(), mono);
    EXPECT_EQ(letters.hasProperty(QTextFormat::ForegroundBrush) ? letters.foreground().color()
                                                                : QColor(),
              c.letters);
    EXPECT_EQ(letters.hasProperty(QTextFormat::BackgroundBrush), c.lettersOnBack);
    EXPECT_NE(words.fontWeight(), QFont::Bold);
    EXPECT_FALSE(words.hasProperty(QTextFormat::ForegroundBrush));
}

const DrawnCase kDrawnCases[] = {
    {"Origine", Forum::Origine, true, false, true, QColor(0x41, 0x32, 0xF5), false},
    {"Phpbb3", Forum::Phpbb3, false, true, true, QColor(0x2E, 0x8B, 0x57), false},
    {"Mybb", Forum::Mybb, true, false, true, QColor(0x41, 0x32, 0xF5), false},
    {"Discourse", Forum::Discourse, false, true, false, QColor(0xC8, 0x00, 0x01), true},
    {"Markdown", Forum::Markdown, false, true, false, QColor(), true},
};

INSTANTIATE_TEST_SUITE_P(Forums, PostPreviewDrawing, testing::ValuesIn(kDrawnCases),
                         [](const testing::TestParamInfo<DrawnCase>& info) {
                             return std::string(info.param.name);
                         });

// The family comes from the stored look: whatever it holds, it names a font and nothing else.
TEST(PostPreview, TheFamilyNameCannotRestyleThePreview)
{
    for (const QString& family : {QStringLiteral("Mono';color:#FFFFFF;x:'"),
                                  QStringLiteral("Mono\"><span style=\"color:#FFFFFF\">")}) {
        QTextDocument document;
        document.setHtml(postPreviewHtml({{{PostPart::Masked, QStringLiteral("L* CHAT")}}},
                                         Forum::Origine, family));
        EXPECT_EQ(document.toPlainText(), QStringLiteral("L* CHAT\n")) << family.toStdString();
        EXPECT_FALSE(cursorAt(document, QStringLiteral("L"))
                         .charFormat()
                         .hasProperty(QTextFormat::ForegroundBrush));
    }
}

} // namespace
