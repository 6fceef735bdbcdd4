// The BBCode forum post built from the found text, the two count captions and the remaining
// letters: four lines while letters remain, the victory form once the remaining count is
// numerically zero, every line ended by a carriage return alone, the inputs copied unchanged,
// and a remaining count that does not convert to a number taken as not zero.
#include "ForumPost.h"
#include "EngineTestSupport.h"

namespace {

const QString kCr = QStringLiteral("\r");

QString fourLinePost(const QString& found, const QString& foundCount, const QString& remaining,
                     const QString& letters)
{
    return QStringLiteral("[font=Courier New][size=5]") + found + QStringLiteral("[/size][/font]") +
           kCr + QStringLiteral("[b][color=#FF0000]") + foundCount +
           QStringLiteral("[/color][/b] lettre(s) trouvée(s). ") + kCr +
           QStringLiteral("[b][color=#FF0000]") + remaining +
           QStringLiteral("[/color][/b] lettres à placer ") + kCr +
           QStringLiteral("[font=Courier New][size=5][color=#4132F5]") + letters +
           QStringLiteral("[/color][/size][/font]") + kCr;
}

QString victoryPost(const QString& found)
{
    return QStringLiteral("[font=Courier New][size=5]") + found + QStringLiteral("[/size][/font]") +
           kCr + kCr + QStringLiteral("[b][color=#FF0000]Bravo, c'est gagné ![/color][/b]") + kCr;
}

TEST(ForumPost, WorkedExampleGivesFourLines)
{
    const QString expected =
        QStringLiteral("[font=Courier New][size=5]L* CHA*[/size][/font]\r"
                       "[b][color=#FF0000]4[/color][/b] lettre(s) trouvée(s). \r"
                       "[b][color=#FF0000]2[/color][/b] lettres à placer \r"
                       "[font=Courier New][size=5][color=#4132F5]E T "
                       "[/color][/size][/font]\r");
    EXPECT_EQ(buildForumPost(QStringLiteral("L* CHA*"), QStringLiteral("4"), QStringLiteral("2"),
                             QStringLiteral("E T ")),
              expected);
}

TEST(ForumPost, SolvedPuzzleGivesTheVictoryLine)
{
    const QString expected = QStringLiteral("[font=Courier New][size=5]LE CHAT[/size][/font]\r\r"
                                            "[b][color=#FF0000]Bravo, c'est gagné ![/color][/b]\r");
    EXPECT_EQ(buildForumPost(QStringLiteral("LE CHAT"), QStringLiteral("2"), QStringLiteral("0"),
                             QString()),
              expected);
}

struct PostCase {
    const char* name;
    QString found;
    QString foundCount;
    QString remaining;
    QString letters;
    bool victory;
};

class ForumPostForms : public testing::TestWithParam<PostCase> {};

TEST_P(ForumPostForms, PicksTheFormAndCopiesTheInputsUnchanged)
{
    const PostCase& c = GetParam();
    const QString post = buildForumPost(c.found, c.foundCount, c.remaining, c.letters);
    const QString expected = c.victory
                                 ? victoryPost(c.found)
                                 : fourLinePost(c.found, c.foundCount, c.remaining, c.letters);
    EXPECT_EQ(post, expected);
}

const PostCase kPostCases[] = {
    // Before any initialisation the captions read 0: the victory form around nothing.
    {"BeforeAnyInitialisation", QString(), QStringLiteral("0"), QStringLiteral("0"), QString(),
     true},
    {"ZeroWrittenAsDecimal", QStringLiteral("**"), QStringLiteral("1"), QStringLiteral("0.0"),
     QStringLiteral("A "), true},
    {"NegativeZero", QStringLiteral("**"), QStringLiteral("1"), QStringLiteral("-0"),
     QStringLiteral("A "), true},
    {"OneLetterLeft", QStringLiteral("L* CHAT"), QStringLiteral("5"), QStringLiteral("1"),
     QStringLiteral("E "), false},
    {"CountsCopiedAsCaptionsShowThem", QStringLiteral("**"), QStringLiteral("007"),
     QStringLiteral("02"), QStringLiteral("A B "), false},
    {"NotANumberIsNotZero", QStringLiteral("**"), QStringLiteral("0"), QStringLiteral("Vide"),
     QStringLiteral("A B "), false},
    {"EmptyCaptionIsNotZero", QStringLiteral("**"), QStringLiteral("0"), QString(),
     QStringLiteral("A B "), false},
    {"LineBreaksOfTheFoundTextCopied", QStringLiteral("*\r\n*µ*"), QStringLiteral("0"),
     QStringLiteral("3"), QStringLiteral("A B C "), false},
    {"LineBreaksInTheVictoryForm", QStringLiteral("A\rB\nC"), QStringLiteral("1"),
     QStringLiteral("0"), QString(), true},
    {"BracketsNotEscaped", QStringLiteral("[*] ***"), QStringLiteral("0"), QStringLiteral("4"),
     QStringLiteral("[B] "), false},
};

INSTANTIATE_TEST_SUITE_P(Forms, ForumPostForms, testing::ValuesIn(kPostCases), caseName<PostCase>);

} // namespace
