// The forum post built from the found text, the two counts and the remaining letters: four lines
// while letters remain, the victory form once the remaining count is zero. The forum of origin
// ends every line with a carriage return alone and copies the inputs unchanged; every forum
// writes the same words in its own markup, with names that cannot change its formatting.
#include "ForumPost.h"
#include "EngineTestSupport.h"

namespace {

const QString kCr = QStringLiteral("\r");

// The game as the post reads it.
GameSession shown(const QString& found, qint64 foundCount, qint64 remaining, const QString& letters)
{
    GameSession game;
    game.soluce = found;
    game.lettres_trouvees = foundCount;
    game.lettres_restantes = remaining;
    game.lettres = letters;
    return game;
}

QString fourLinePost(const QString& found, qint64 foundCount, qint64 remaining,
                     const QString& letters)
{
    return QStringLiteral("[font=Courier New][size=5]") + found + QStringLiteral("[/size][/font]") +
           kCr + QStringLiteral("[b][color=#FF0000]") + QString::number(foundCount) +
           QStringLiteral("[/color][/b] lettre(s) trouvée(s). ") + kCr +
           QStringLiteral("[b][color=#FF0000]") + QString::number(remaining) +
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
    EXPECT_EQ(forumPost(Forum::Origine, shown(QStringLiteral("L* CHA*"), 4, 2, QStringLiteral("E T ")))
                  .text,
              expected);
}

TEST(ForumPost, SolvedPuzzleGivesTheVictoryLine)
{
    const QString expected = QStringLiteral("[font=Courier New][size=5]LE CHAT[/size][/font]\r\r"
                                            "[b][color=#FF0000]Bravo, c'est gagné ![/color][/b]\r");
    EXPECT_EQ(forumPost(Forum::Origine, shown(QStringLiteral("LE CHAT"), 2, 0, QString())).text,
              expected);
}

struct PostCase {
    const char* name;
    QString found;
    qint64 foundCount;
    qint64 remaining;
    QString letters;
    bool victory;
};

class ForumPostForms : public testing::TestWithParam<PostCase> {};

TEST_P(ForumPostForms, PicksTheFormAndCopiesTheInputsUnchanged)
{
    const PostCase& c = GetParam();
    const QString post =
        forumPost(Forum::Origine, shown(c.found, c.foundCount, c.remaining, c.letters)).text;
    const QString expected = c.victory
                                 ? victoryPost(c.found)
                                 : fourLinePost(c.found, c.foundCount, c.remaining, c.letters);
    EXPECT_EQ(post, expected);
}

const PostCase kPostCases[] = {
    // Before any initialisation the counts are 0: the victory form around nothing.
    {"BeforeAnyInitialisation", QString(), 0, 0, QString(), true},
    {"OneLetterLeft", QStringLiteral("L* CHAT"), 5, 1, QStringLiteral("E "), false},
    {"LineBreaksOfTheFoundTextCopied", QStringLiteral("*\r\n*µ*"), 0, 3, QStringLiteral("A B C "),
     false},
    {"LineBreaksInTheVictoryForm", QStringLiteral("A\rB\nC"), 1, 0, QString(), true},
    {"BracketsNotEscaped", QStringLiteral("[*] ***"), 0, 4, QStringLiteral("[B] "), false},
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
        c.victory ? forumPost(c.forum, shown(QStringLiteral("LE CHAT"), 2, 0, QString()))
                  : forumPost(c.forum, shown(QStringLiteral("L'ÉTÉ  ** ```\r\n*"), 4, 3,
                                             QStringLiteral("A É ")),
                              &ranking);
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
