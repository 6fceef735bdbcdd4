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

// A won puzzle's post: the player of the winning turn under the victory line, written as the
// rankings write names, then the puzzle's ranking and the thread's.
const QList<PlayerStanding> kPuzzleRanking{{QStringLiteral("[Zoé]*_"), 5, 2}};
const QList<ThreadStanding> kThreadRanking{{QStringLiteral("[Zoé]*_"), 12, 2},
                                           {QStringLiteral("# Bob`~|<"), 1, 1}};

// The BBCode forums' words after the victory line, and Markdown's.
const QString kBbcodeWin =
    QStringLiteral("[b][color=#FF0000]Bravo, c'est gagné ![/color][/b]\n"
                   "Dernière lettre trouvée par (Zoé)*_ au tour 7.\n\n"
                   "[b]Classement[/b]\n1. (Zoé)*_ : 5 lettres\n\n"
                   "[b]Classement du fil (2 énigmes)[/b]\n"
                   "1. (Zoé)*_ : 12 lettres\n2. # Bob`~|< : 1 lettre\n");
const QString kMarkdownWin =
    QStringLiteral("**Bravo, c'est gagné !**  \n"
                   "Dernière lettre trouvée par \\[Zoé]\\*\\_ au tour 7.  \n\n"
                   "**Classement**  \n1\\. \\[Zoé]\\*\\_ : 5 lettres  \n\n"
                   "**Classement du fil (2 énigmes)**  \n"
                   "1\\. \\[Zoé]\\*\\_ : 12 lettres  \n"
                   "2\\. \\# Bob\\`\\~\\|\\< : 1 lettre  \n");

class WonPost : public testing::TestWithParam<DialectCase> {};

TEST_P(WonPost, NamesTheWinnerAndGivesBothRankings)
{
    const DialectCase& c = GetParam();
    const PostExtras extras{&kPuzzleRanking, 7, QStringLiteral("[Zoé]*_"), &kThreadRanking, 2};
    EXPECT_EQ(forumPost(c.forum, shown(QStringLiteral("LE CHAT"), 2, 0, QString()), extras).text,
              c.post);
}

const DialectCase kWonCases[] = {
    {"Origine", Forum::Origine, true,
     QStringLiteral("[font=Courier New][size=5]LE CHAT[/size][/font]\r\r") +
         QString(kBbcodeWin).replace(u'\n', u'\r')},
    {"Phpbb3", Forum::Phpbb3, true, QStringLiteral("[code]LE CHAT[/code]\n\n") + kBbcodeWin},
    {"Mybb", Forum::Mybb, true,
     QStringLiteral("[font=Courier New][size=x-large]LE CHAT[/size][/font]\n\n") + kBbcodeWin},
    {"Discourse", Forum::Discourse, true,
     QStringLiteral("```text\nLE CHAT\n```\n\n") + kMarkdownWin},
    {"Markdown", Forum::Markdown, true, QStringLiteral("```\nLE CHAT\n```\n\n") + kMarkdownWin},
};

INSTANTIATE_TEST_SUITE_P(Forums, WonPost, testing::ValuesIn(kWonCases), caseName<DialectCase>);

struct ExtrasCase {
    const char* name;
    qint64 remaining;
    QString winner;
    qsizetype puzzles;
    QString post;
};

class PostExtrasShown : public testing::TestWithParam<ExtrasCase> {};

TEST_P(PostExtrasShown, OnlyWhereTheyBelong)
{
    const ExtrasCase& c = GetParam();
    const PostExtras extras{&kPuzzleRanking, 3, c.winner, &kThreadRanking, c.puzzles};
    EXPECT_EQ(forumPost(Forum::Origine,
                        shown(QStringLiteral("LE CHAT"), 2, c.remaining, QStringLiteral("E ")),
                        extras)
                  .text,
              c.post);
}

const QString kPuzzleBlock = QStringLiteral("\r[b]Classement[/b]\r1. (Zoé)*_ : 5 lettres\r");

const ExtrasCase kExtrasCases[] = {
    // Nobody on the winning turn and a thread of one puzzle: the post as it always was.
    {"NobodyWonAloneIsTodaysPost", 0, QString(), 1,
     victoryPost(QStringLiteral("LE CHAT")) + kPuzzleBlock},
    {"OnePuzzleNoThreadBlock", 0, QStringLiteral("Alice"), 1,
     victoryPost(QStringLiteral("LE CHAT")) +
         QStringLiteral("Dernière lettre trouvée par Alice au tour 3.\r") + kPuzzleBlock},
    {"ATurnNotWonHasThePuzzlesRankingOnly", 1, QStringLiteral("Alice"), 3,
     fourLinePost(QStringLiteral("LE CHAT"), 2, 1, QStringLiteral("E ")) + kPuzzleBlock},
};

INSTANTIATE_TEST_SUITE_P(Cases, PostExtrasShown, testing::ValuesIn(kExtrasCases),
                         caseName<ExtrasCase>);

// A code box does not wrap: the 600 characters of a found text and long remaining letters come in
// lines of at most 60 characters, broken at blanks, the letters' group longer than a line cut.
const QString kFoundLines =
    QStringLiteral("L'*T*, * ***L, LE *ET*T CHAT **** ***T **** ** *E* ; *A *E*T\n"
                   "LE *A** ET LE C*** ! L'*T*, * ***L, LE *ET*T CHAT **** ***T\n"
                   "**** ** *E* ; *A *E*T LE *A** ET LE C*** ! L'*T*, * ***L, LE\n"
                   "*ET*T CHAT **** ***T **** ** *E* ; *A *E*T LE *A** ET LE\n"
                   "C*** ! L'*T*, * ***L, LE *ET*T CHAT **** ***T **** ** *E* ;\n"
                   "*A *E*T LE *A** ET LE C*** ! L'*T*, * ***L, LE *ET*T CHAT\n"
                   "**** ***T **** ** *E* ; *A *E*T LE *A** ET LE C*** ! L'*T*,\n"
                   "* ***L, LE *ET*T CHAT **** ***T **** ** *E* ; *A *E*T LE\n"
                   "*A** ET LE C*** ! L'*T*, * ***L, LE *ET*T CHAT **** ***T\n"
                   "**** ** *E* ; *A *E*T LE *A** ET LE C*** ! L'*T*, * ***L, LE\n"
                   "*ET*T CH");

// What Discourse and Markdown write after the found text: the same, but for the fence's opener.
const QString kMarkdownAfterFound = QStringLiteral("\n```\n"
                        "**12** lettre(s) trouvée(s).   \n"
                        "**250** lettres à placer   \n"
                        "`AAAAAAAAAAAA DDDDDDDDDDDDDDD GGGG IIIIIIIIIIIIIIIIIIII`  \n"
                        "`NNNNNNNNNNNNNNNNNNNN`  \n"
                        "`OOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOO`  \n"
                        "`OOOOOOOOOO PPPP RRRRRRRRRRRRRRRRRRRR SSSSSSSSSSSSSSSSSSSS`  \n"
                        "`UUUUUUUUUU ÇÇ ÉÉÉÉÉÉÉÉ `  \n");

struct ShortLinesCase {
    const char* name;
    Forum forum;
    QString post;
};

class ShortLines : public testing::TestWithParam<ShortLinesCase> {};

TEST_P(ShortLines, BoxTheFoundTextAndTheLettersInLinesOfSixtyCharacters)
{
    const ShortLinesCase& c = GetParam();
    const QString found = QStringLiteral("L'*T*, * ***L, LE *ET*T CHAT **** ***T **** ** *E* ; "
                                         "*A *E*T LE *A** ET LE C*** ! ")
                              .repeated(8)
                              .first(600);
    const ForumPost post =
        forumPost(c.forum, shown(found, 12, 250,
                  QStringLiteral(
                      "AAAAAAAAAAAA DDDDDDDDDDDDDDD GGGG IIIIIIIIIIIIIIIIIIII NNNNNNNNNNNNNNNNNNNN "
                      "OOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOO PPPP "
                      "RRRRRRRRRRRRRRRRRRRR SSSSSSSSSSSSSSSSSSSS UUUUUUUUUU ÇÇ ÉÉÉÉÉÉÉÉ ")));
    EXPECT_EQ(post.text, c.post);
    // The preview draws the lines the forum shows.
    EXPECT_EQ(post.lines.first().first().text, kFoundLines);
}

const ShortLinesCase kShortLinesCases[] = {
    {"Phpbb3", Forum::Phpbb3,
     QStringLiteral("[code]") + kFoundLines +
         QStringLiteral("[/code]\n"
                        "[b][color=#FF0000]12[/color][/b] lettre(s) trouvée(s). \n"
                        "[b][color=#FF0000]250[/color][/b] lettres à placer \n"
                        "[code]AAAAAAAAAAAA DDDDDDDDDDDDDDD GGGG IIIIIIIIIIIIIIIIIIII\n"
                        "NNNNNNNNNNNNNNNNNNNN\n"
                        "OOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOOO\n"
                        "OOOOOOOOOO PPPP RRRRRRRRRRRRRRRRRRRR SSSSSSSSSSSSSSSSSSSS\n"
                        "UUUUUUUUUU ÇÇ ÉÉÉÉÉÉÉÉ [/code]\n")},
    {"Discourse", Forum::Discourse,
     QStringLiteral("```text\n") + kFoundLines + kMarkdownAfterFound},
    {"Markdown", Forum::Markdown,
     QStringLiteral("```\n") + kFoundLines + kMarkdownAfterFound},
};

INSTANTIATE_TEST_SUITE_P(Forums, ShortLines, testing::ValuesIn(kShortLinesCases),
                         caseName<ShortLinesCase>);

struct BreakCase {
    const char* name;
    QString found;
    QString boxed; // the code box's lines
};

class LineBreaking : public testing::TestWithParam<BreakCase> {};

TEST_P(LineBreaking, BreaksAtABlankOrCutsAWordLongerThanALine)
{
    const BreakCase& c = GetParam();
    EXPECT_EQ(
        forumPost(Forum::Phpbb3, shown(c.found, 1, 0, QString())).text,
        QStringLiteral("[code]") + c.boxed +
            QStringLiteral("[/code]\n\n[b][color=#FF0000]Bravo, c'est gagné ![/color][/b]\n"));
}

const QString k59 = QString(59, u'A');
const QString k60 = QString(60, u'A');

const BreakCase kBreakCases[] = {
    {"WordOfSixtyKept", k60, k60},
    {"WordOfSixtyOneCut", k60 + u'A', k60 + QStringLiteral("\nA")},
    {"WordTwiceALineCutTwice", QString(125, u'B'),
     QString(60, u'B') + u'\n' + QString(60, u'B') + QStringLiteral("\nBBBBB")},
    {"BlankJustPastTheLine", k60 + QStringLiteral(" B"), k60 + QStringLiteral("\nB")},
    {"BlanksAtTheBreakDropped", k59 + QStringLiteral("   B C"), k59 + QStringLiteral("\nB C")},
    {"OwnLineBreaksKept", k60 + QStringLiteral("A\r\nB"), k60 + QStringLiteral("\nA\nB")},
    {"OwnLeadingBlankKept", QStringLiteral(" ") + k59 + QStringLiteral(" B"),
     QStringLiteral(" ") + k59 + QStringLiteral("\nB")},
    {"SurrogatePairNeverSplit", k59 + QStringLiteral("\U0001F600B"),
     k59 + QStringLiteral("\n\U0001F600B")},
};

INSTANTIATE_TEST_SUITE_P(Cases, LineBreaking, testing::ValuesIn(kBreakCases), caseName<BreakCase>);

// Reddit reads "^" as a superscript and ">!" as a spoiler's opening; a backslash of the name
// is escaped too, or it would escape the punctuation after it.
TEST(ForumPost, MarkdownNamesEscapeSuperscriptsSpoilersAndBackslashes)
{
    const QList<PlayerStanding> ranking{{QStringLiteral("x^2 >!a!< >b \\!"), 1, 1}};
    EXPECT_EQ(forumPost(Forum::Markdown, shown(QStringLiteral("LE CHAT"), 2, 0, QString()), &ranking)
                  .text,
              QStringLiteral("```\nLE CHAT\n```\n\n**Bravo, c'est gagné !**  \n\n"
                             "**Classement**  \n1\\. x\\^2 \\>!a!\\< >b \\\\! : 1 lettre  \n"));
}

// What a rich-text editor takes: the text escaped and a <br> for each line break, CR LF, lone CR
// or LF, and nothing else.
TEST(ForumPost, HtmlIsTheTextEscapedWithABreakForEachLineBreak)
{
    const QString victory =
        QStringLiteral("<br>[b][color=#FF0000]Bravo, c'est gagné ![/color][/b]<br>");
    EXPECT_EQ(forumPost(Forum::Origine, shown(QStringLiteral("<*> & \"*\"\r\n*\r*'"), 1, 0, QString()))
                  .html,
              QStringLiteral("[font=Courier New][size=5]&lt;*&gt; &amp; &quot;*&quot;<br>*<br>*'"
                             "[/size][/font]<br>") +
                  victory);
    EXPECT_EQ(forumPost(Forum::Phpbb3, shown(QStringLiteral("*\n*"), 1, 0, QString()))
                  .html,
              QStringLiteral("[code]*<br>*[/code]<br>") + victory);
}

} // namespace
