// The forum post built from the found text, the two count captions and the remaining letters:
// four lines while letters remain, the victory form once the remaining count is numerically zero,
// and a remaining count that does not convert to a number taken as not zero. The forum of origin
// ends every line with a carriage return alone and copies the inputs unchanged; every forum
// writes the same words in its own markup, with names that cannot change its formatting.
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

struct DialectCase {
    const char* name;
    Forum forum;
    bool victory;
    QString post;
};

class ForumDialects : public testing::TestWithParam<DialectCase> {};

// Accented capitals, a run of blanks, backticks and a line break in the found text; brackets and
// Markdown's formatting characters in the names.
TEST_P(ForumDialects, WriteTheTurnAndTheRankingInTheForumsMarkup)
{
    const DialectCase& c = GetParam();
    const QList<PlayerStanding> ranking{{QStringLiteral("[Zoé]*_"), 12, 3},
                                        {QStringLiteral("# Bob`~|<"), 1, 1}};
    const ForumPost post =
        c.victory ? forumPost(c.forum, QStringLiteral("LE CHAT"), QStringLiteral("2"),
                              QStringLiteral("0"), QString())
                  : forumPost(c.forum, QStringLiteral("L'ÉTÉ  ** ```\r\n*"), QStringLiteral("4"),
                              QStringLiteral("3"), QStringLiteral("A É "), &ranking);
    EXPECT_EQ(post.text, c.post);
}

const DialectCase kDialectCases[] = {
    {"Origine", Forum::Origine, false,
     QStringLiteral("[font=Courier New][size=5]L'ÉTÉ  ** ```\r\n*[/size][/font]\r"
                    "[b][color=#FF0000]4[/color][/b] lettre(s) trouvée(s). \r"
                    "[b][color=#FF0000]3[/color][/b] lettres à placer \r"
                    "[font=Courier New][size=5][color=#4132F5]A É [/color][/size][/font]\r\r"
                    "[b]Classement[/b]\r1. (Zoé)*_ : 12 lettres\r2. # Bob`~|< : 1 lettre\r")},
    {"Phpbb3", Forum::Phpbb3, false,
     QStringLiteral("[code]L'ÉTÉ  ** ```\n*[/code]\n"
                    "[b][color=#FF0000]4[/color][/b] lettre(s) trouvée(s). \n"
                    "[b][color=#FF0000]3[/color][/b] lettres à placer \n[code]A É [/code]\n\n"
                    "[b]Classement[/b]\n1. (Zoé)*_ : 12 lettres\n2. # Bob`~|< : 1 lettre\n")},
    {"Mybb", Forum::Mybb, false,
     QStringLiteral("[font=Courier New][size=x-large]L'ÉTÉ \u00A0** ```\n*[/size][/font]\n"
                    "[b][color=#FF0000]4[/color][/b] lettre(s) trouvée(s). \n"
                    "[b][color=#FF0000]3[/color][/b] lettres à placer \n"
                    "[font=Courier New][size=x-large][color=#4132F5]A É [/color][/size][/font]\n\n"
                    "[b]Classement[/b]\n1. (Zoé)*_ : 12 lettres\n2. # Bob`~|< : 1 lettre\n")},
    {"Discourse", Forum::Discourse, false,
     QStringLiteral("````text\nL'ÉTÉ  ** ```\n*\n````\n**4** lettre(s) trouvée(s).   \n"
                    "**3** lettres à placer   \n`A É `  \n\n**Classement**  \n"
                    "1\\. \\[Zoé]\\*\\_ : 12 lettres  \n2\\. \\# Bob\\`\\~\\|\\< : 1 lettre  \n")},
    {"Markdown", Forum::Markdown, false,
     QStringLiteral("````\nL'ÉTÉ  ** ```\n*\n````\n**4** lettre(s) trouvée(s).   \n"
                    "**3** lettres à placer   \n`A É `  \n\n**Classement**  \n"
                    "1\\. \\[Zoé]\\*\\_ : 12 lettres  \n2\\. \\# Bob\\`\\~\\|\\< : 1 lettre  \n")},
    {"MarkdownVictory", Forum::Markdown, true,
     QStringLiteral("```\nLE CHAT\n```\n\n**Bravo, c'est gagné !**  \n")},
};

INSTANTIATE_TEST_SUITE_P(Forums, ForumDialects, testing::ValuesIn(kDialectCases),
                         caseName<DialectCase>);

} // namespace
