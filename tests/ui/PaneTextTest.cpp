// Line breaks cross between panes ("\n") and engine (CR LF) without shifting positions, and the
// formatting-keeping rewrite touches only the characters that differ.
#include "PaneText.h"
#include "GamePrinters.h"

#include <QTextCursor>
#include <QTextEdit>

#include <gtest/gtest.h>

namespace {

struct RewriteCase {
    const char* before;
    const char* after;
};

const RewriteCase kRewrites[] = {
    {"L' ARBRE", "L'ARBRE"},
    {"abc", "ABC"},
    {"", "BONJOUR"},
    {"texte", ""},
    {"aXb", "aYYb"},
    {"aaa", "aa"},
    // Old and new texts that share their first characters, and their last ones too.
    {"LE  CHAT", "LE CHAT"},
    {"AB", "ABAB"},
    {"ABCABC", "ABC"},
    {"A  B  A", "A B A"},
};

class RewriteTest : public ::testing::TestWithParam<RewriteCase> {};

} // namespace

TEST(PaneTextTest, LineBreaksRoundTrip)
{
    EXPECT_EQ(panetext::fromPane(QStringLiteral("a\nb\n")), QStringLiteral("a\r\nb\r\n"));
    EXPECT_EQ(panetext::toPane(QStringLiteral("a\r\nb\rc")), QStringLiteral("a\nb\nc"));
    EXPECT_EQ(panetext::toPane(panetext::fromPane(QStringLiteral("x\n\ny"))),
              QStringLiteral("x\n\ny"));
}

TEST(PaneTextTest, EnginePositionsMapToPanePositions)
{
    const QString engine = QStringLiteral("AB\r\nCD\r\nEF");
    EXPECT_EQ(panetext::paneIndex(engine, 0), 0);
    EXPECT_EQ(panetext::paneIndex(engine, 4), 3); // C
    EXPECT_EQ(panetext::paneIndex(engine, 8), 6); // E
    EXPECT_EQ(panetext::paneIndex(QStringLiteral("MAI SLE"), 3), 3);
    // A pane edited shorter since keeps the position inside it.
    EXPECT_EQ(panetext::panePosition(engine, 8, 10), 6);
    EXPECT_EQ(panetext::panePosition(engine, 8, 4), 4);
}

TEST_P(RewriteTest, ResultEqualsTheNewTextAndTheUnchangedEndsKeepTheirFormat)
{
    QTextEdit pane;
    pane.setPlainText(QString::fromUtf8(GetParam().before));
    QTextCursor all(pane.document());
    all.select(QTextCursor::Document);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    all.mergeCharFormat(bold);

    const QString after = QString::fromUtf8(GetParam().after);
    panetext::replaceKeepingFormat(&pane, after);
    EXPECT_EQ(pane.toPlainText(), after);
    const QString before = QString::fromUtf8(GetParam().before);
    if (!before.isEmpty() && !after.isEmpty() && before.front() == after.front()) {
        QTextCursor first(pane.document());
        first.setPosition(1);
        EXPECT_EQ(first.charFormat().fontWeight(), QFont::Bold);
    }
}

INSTANTIATE_TEST_SUITE_P(Rewrites, RewriteTest, ::testing::ValuesIn(kRewrites));
