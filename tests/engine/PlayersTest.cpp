// Players: a typed name is cleaned up (control characters dropped, blank runs made one space,
// trimmed, cut to 40 UTF-16 units without splitting a character), names that differ only in case
// are one player who keeps the first spelling, names that differ in accents look alike, the ranking
// orders by points then by who reached the total first, and the post's ranking block writes one
// line per player with brackets made parentheses and « lettre» for 0 or 1 point.
#include "Players.h"
#include "EngineTestSupport.h"
#include "ForumPost.h"
#include "Thread.h"

namespace {

class PlayerNames : public testing::TestWithParam<TextCase> {};

TEST_P(PlayerNames, AreReadByTheNameRules)
{
    EXPECT_EQ(cleanPlayerName(GetParam().input), GetParam().expected);
}

const QString kForty = QStringLiteral("abcdefghijklmnopqrstuvwxyzabcdefghijklmn");

const TextCase kTextCases[] = {
    {"Empty", QString(), QString()},
    {"OnlyBlanks", QStringLiteral(" \t\r\n "), QString()},
    {"Trimmed", QStringLiteral("  Alice \t"), QStringLiteral("Alice")},
    {"BlankRunsBecomeOneSpace", QStringLiteral("Jean \t\r\n  Paul"), QStringLiteral("Jean Paul")},
    {"UnicodeSeparatorsAreBlanks", QStringLiteral("a\u2028b\u00a0c"), QStringLiteral("a b c")},
    {"ControlCharactersDropped", QStringLiteral("Bo\u0001b\u007f"), QStringLiteral("Bob")},
    {"DroppedControlBetweenBlanks", QStringLiteral("a \u001b b"), QStringLiteral("a b")},
    {"AccentsAndBracketsKept", QStringLiteral("[Chloé]"), QStringLiteral("[Chloé]")},
    {"FortyKept", kForty, kForty},
    {"CutToForty", kForty + QStringLiteral("xyz"), kForty},
    {"CutCountsAfterCleaning", QStringLiteral("   ") + kForty + QStringLiteral("\u0001"), kForty},
    {"CutLeavesNoTrailingSpace", kForty.left(39) + QStringLiteral(" b"), kForty.left(39)},
    {"CutNeverSplitsAPair", kForty.left(39) + QStringLiteral("\U0001F600"), kForty.left(39)},
};

INSTANTIATE_TEST_SUITE_P(Rules, PlayerNames, testing::ValuesIn(kTextCases), caseName<TextCase>);

// Names that look alike share their key, case and accents set aside; other letters do not.
TEST(PlayerNames, LookAlikeWhateverTheirCaseAndAccents)
{
    const QString zoe = lookalikeKey(QStringLiteral("Zoe"));
    for (const char* alike : {"Zoé", "ZOÉ", "zoë", "Zoé"})
        EXPECT_EQ(lookalikeKey(QString::fromUtf8(alike)), zoe) << alike;
    EXPECT_EQ(lookalikeKey(QStringLiteral("Œdipe")), lookalikeKey(QStringLiteral("œDIPE")));
    for (const char* other : {"Zoa", "Zo", "Zoé2"})
        EXPECT_NE(lookalikeKey(QString::fromUtf8(other)), zoe) << other;
    const QStringList players{QStringLiteral("Zoé"), QStringLiteral("Bob"), QStringLiteral("ZOE")};
    EXPECT_EQ(lookalikes(QStringLiteral(" zoe "), players), players.mid(0, 1) + players.mid(2));
    EXPECT_EQ(lookalikes(QStringLiteral("Zoé"), players), QStringList{QStringLiteral("ZOE")});
    EXPECT_EQ(lookalikes(QStringLiteral("Zo"), players), QStringList());
}

// One credited turn: who played it and the letters it revealed.
struct Play {
    const char* player;
    qint64 points;
};

struct RankingCase {
    const char* name;
    std::vector<Play> turns; // numbered from 1
    QList<PlayerStanding> expected;
};

class Ranking : public testing::TestWithParam<RankingCase> {};

TEST_P(Ranking, OrdersByPointsThenByWhoReachedThemFirst)
{
    PlayerTally tally;
    qsizetype number = 0;
    for (const Play& play : GetParam().turns)
        tally.add(QString::fromUtf8(play.player), play.points, ++number);
    EXPECT_EQ(tally.ranking(), GetParam().expected);
}

PlayerStanding standing(const char* name, qint64 points, qint64 turns)
{
    return {QString::fromUtf8(name), points, turns};
}

const RankingCase kRankingCases[] = {
    {"NobodyPlayed", {{"", 3}, {"", 0}}, {}},
    {"PointsAddUpHighestFirst",
     {{"Bob", 1}, {"Alice", 4}, {"Bob", 0}, {"Alice", 3}},
     {standing("Alice", 7, 2), standing("Bob", 1, 2)}},
    {"TurnsWithoutPlayerCreditNobody",
     {{"Alice", 2}, {"", 5}, {"Alice", 0}},
     {standing("Alice", 2, 2)}},
    {"TieGoesToWhoReachedTheTotalFirst",
     {{"Bob", 2}, {"Alice", 3}, {"Bob", 1}},
     {standing("Alice", 3, 1), standing("Bob", 3, 2)}},
    {"ZeroTurnsAfterTheTotalDoNotMoveIt",
     {{"Alice", 3}, {"Bob", 3}, {"Alice", 0}},
     {standing("Alice", 3, 2), standing("Bob", 3, 1)}},
    {"AtZeroFromTheFirstTurn",
     {{"Chloé", 0}, {"Bob", 0}, {"Alice", 0}},
     {standing("Chloé", 0, 1), standing("Bob", 0, 1), standing("Alice", 0, 1)}},
    {"CaseVariantsAreOnePlayerFirstSpellingKept",
     {{"alice", 1}, {"Bob", 2}, {"ALICE", 2}},
     {standing("alice", 3, 2), standing("Bob", 2, 1)}},
    // Lower case alone keeps a capital sigma apart from a final one.
    {"CaseFoldingMakesOnePlayerOfEverySigma",
     {{"ΝΙΚΟΣ", 1}, {"νικος", 2}},
     {standing("ΝΙΚΟΣ", 3, 2)}},
};

INSTANTIATE_TEST_SUITE_P(Cases, Ranking, testing::ValuesIn(kRankingCases), caseName<RankingCase>);

TEST(PlayerTally, KeepsTheFirstSpellingAndTheOrderOfFirstPlay)
{
    PlayerTally tally;
    tally.add(QStringLiteral("Émile"), 1, 1);
    tally.add(QStringLiteral("bob"), 1, 2);
    tally.add(QStringLiteral("BOB"), 1, 3);
    EXPECT_EQ(tally.spelling(QStringLiteral("éMILE"), 4), QStringLiteral("Émile"));
    EXPECT_EQ(tally.spelling(QStringLiteral("Zoé"), 4), QStringLiteral("Zoé"));
    // Before its first turn a player has no spelling yet: turn 1 itself may be respelled.
    EXPECT_EQ(tally.spelling(QStringLiteral("ÉMILE"), 1), QStringLiteral("ÉMILE"));
    EXPECT_EQ(tally.players(), QStringList({QStringLiteral("Émile"), QStringLiteral("bob")}));
}

struct BlockCase {
    const char* name;
    QList<PlayerStanding> ranking;
    QString block;
};

class RankingBlock : public testing::TestWithParam<BlockCase> {};

// The victory post, which the ranking follows.
const QString kVictory = QStringLiteral("[font=Courier New][size=5]LE CHAT[/size][/font]\r\r"
                                        "[b][color=#FF0000]Bravo, c'est gagné ![/color][/b]\r");

TEST_P(RankingBlock, EndsThePostAfterItsLastCarriageReturn)
{
    GameSession won;
    won.soluce = QStringLiteral("LE CHAT");
    EXPECT_EQ(forumPost(Forum::Origine, won, &GetParam().ranking).text,
              kVictory + GetParam().block);
}

const BlockCase kBlockCases[] = {
    {"NobodyRankedNoBlock", {}, QString()},
    {"ZeroOneAndMorePoints",
     {standing("Alice", 7, 3), standing("Bob", 1, 1), standing("Chloé", 0, 2)},
     QStringLiteral("\r[b]Classement[/b]\r1. Alice : 7 lettres\r2. Bob : 1 lettre\r"
                    "3. Chloé : 0 lettre\r")},
    {"TwoPointsArePlural",
     {standing("Alice", 2, 1)},
     QStringLiteral("\r[b]Classement[/b]\r1. Alice : 2 lettres\r")},
    {"TiedPlayersHaveDistinctRanks",
     {standing("Bob", 3, 1), standing("Alice", 3, 2)},
     QStringLiteral("\r[b]Classement[/b]\r1. Bob : 3 lettres\r2. Alice : 3 lettres\r")},
    {"BracketsBecomeParentheses",
     {standing("[b]x[/b]", 4, 1), standing("a]b[", 0, 1)},
     QStringLiteral("\r[b]Classement[/b]\r1. (b)x(/b) : 4 lettres\r2. a)b( : 0 lettre\r")},
};

INSTANTIATE_TEST_SUITE_P(Cases, RankingBlock, testing::ValuesIn(kBlockCases), caseName<BlockCase>);

} // namespace

// The thread's ranking adds up every puzzle's credited letters, names matched as in a puzzle
// and spelled as first played in the thread; between equal totals, the player who reached that
// total earlier in the thread comes first. A puzzle counts once for each player it credits.
TEST(ThreadRanking, AddsUpEveryPuzzleAndBreaksTiesByWhoReachedTheTotalFirst)
{
    const auto credits = [](std::initializer_list<TurnCredit> turns) {
        return QList<TurnCredit>(turns);
    };
    struct Case {
        const char* name;
        QList<QList<TurnCredit>> puzzles;
        QList<ThreadStanding> ranking;
    };
    const Case cases[] = {
        {"no puzzle", {}, {}},
        {"names folded across puzzles, first spelling kept",
         {credits({{"Zoé", 3}, {"", 2}}), credits({{"ZOÉ", 4}, {"Bob", 1}})},
         {{"Zoé", 7, 2}, {"Bob", 1, 1}}},
        {"a tie goes to who reached the total in an earlier puzzle",
         {credits({{"Bob", 5}}), credits({{"Ana", 2}, {"Ana", 3}})},
         {{"Bob", 5, 1}, {"Ana", 5, 1}}},
        {"a tie inside the last puzzle goes to the earlier turn",
         {credits({{"Ana", 1}, {"Bob", 1}}), credits({{"Bob", 2}, {"Ana", 2}})},
         {{"Bob", 3, 2}, {"Ana", 3, 2}}},
        {"a turn of nothing found still counts the puzzle as played",
         {credits({{"Eve", 0}}), credits({{"Ana", 4}})},
         {{"Ana", 4, 1}, {"Eve", 0, 1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(threadRanking(c.puzzles), c.ranking);
    }
}

// A puzzle's line in the thread's list: won when nothing was left to place at its last turn
// after turn 0, by that turn's player.
TEST(ThreadRanking, APuzzleIsWonByTheLastTurnThatLeftNothingToPlace)
{
    const Turn start{QString(), "** ****", 0, 6, "A C E H L T "};
    const Turn half{"LE CHIEN", "LE CH**", 4, 2, "A T "};
    const Turn won{"LE CHAT", "LE CHAT", 2, 0, QString(), "Zoé"};
    const QString reference = QStringLiteral("LE CHAT QUI DORT AU SOLEIL SUR LE MUR DU JARDIN");
    EXPECT_EQ(summaryOf(3, reference, {start, half, won}),
              (PuzzleSummary{3, reference.left(40), 2, true, "Zoé"}));
    EXPECT_EQ(summaryOf(1, "LE CHAT", {start, half}), (PuzzleSummary{1, "LE CHAT", 1, false, {}}));
    EXPECT_EQ(summaryOf(2, "", {}), (PuzzleSummary{2, "", 0, false, {}}));
}
