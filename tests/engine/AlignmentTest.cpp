// The word-length check before the reveal: one blank after each apostrophe of the proposal
// goes, then words of the found text and of the proposal are compared by length only and the
// first pair that differs is the conflict, whose position stays until the next one. The last
// word of the found text and empty found words are not compared; texts of any length are
// checked and the walk always ends.
#include "EngineTestSupport.h"

namespace {

struct AlignmentCase {
    const char* name;
    QString found;
    QString proposal;
    QString tidiedProposal;
    std::optional<Conflict> conflict;
};

Conflict conflict(const QString& foundWord, const QString& proposalWord, int number, int position)
{
    return Conflict{foundWord, proposalWord, number, position};
}

class AlignmentCheck : public testing::TestWithParam<AlignmentCase> {};

TEST_P(AlignmentCheck, ReportsTheFirstConflict)
{
    const AlignmentCase& c = GetParam();
    PuzzleEngine engine;
    GameSession session;
    session.soluce = c.found;
    session.propal = c.proposal;

    const AlignmentResult result = engine.checkAlignment(session);

    EXPECT_EQ(session.propal, c.tidiedProposal);
    EXPECT_EQ(result.proposalChanged, c.tidiedProposal != c.proposal);
    EXPECT_EQ(session.soluce, c.found);
    EXPECT_EQ(result.conflict, c.conflict);
}

const AlignmentCase kAlignmentCases[] = {
    {"WordsFit", QStringLiteral("**** **"), QStringLiteral("MAIS LE"), QStringLiteral("MAIS LE"),
     std::nullopt},
    {"FirstWordTooShort", QStringLiteral("**** **"), QStringLiteral("MAI SLE"),
     QStringLiteral("MAI SLE"), conflict(QStringLiteral("****"), QStringLiteral("MAI"), 1, 1)},
    {"WrongLettersRightLength", QStringLiteral("**** **"), QStringLiteral("XXXX YY"),
     QStringLiteral("XXXX YY"), std::nullopt},
    {"LastWordTooLongIsNotCompared", QStringLiteral("**** **"), QStringLiteral("MAIS LES"),
     QStringLiteral("MAIS LES"), std::nullopt},
    {"LastWordTooShortIsNotCompared", QStringLiteral("**** **"), QStringLiteral("MAIS L"),
     QStringLiteral("MAIS L"), std::nullopt},
    {"SecondWordPositionCountsFromOne", QStringLiteral("** *** *"), QStringLiteral("AB CD E"),
     QStringLiteral("AB CD E"), conflict(QStringLiteral("***"), QStringLiteral("CD"), 2, 4)},
    {"RevealedLettersCountInTheWord", QStringLiteral("L* C*AT *"), QStringLiteral("LE CHA T"),
     QStringLiteral("LE CHA T"), conflict(QStringLiteral("C*AT"), QStringLiteral("CHA"), 2, 4)},
    {"EmptyFoundWordDoesNotRaiseTheNumber", QStringLiteral("** ! *** **"),
     QStringLiteral("AB ! CDEF GH"), QStringLiteral("AB ! CDEF GH"),
     conflict(QStringLiteral("***"), QStringLiteral("CDEF"), 2, 6)},
    {"EmptyFoundWordIgnoresTheProposal", QStringLiteral("** ! ***"), QStringLiteral("AB XYZ ***"),
     QStringLiteral("AB XYZ ***"), std::nullopt},
    {"SeparatorWhereAWordIsExpected", QStringLiteral("** ** **"), QStringLiteral("AB !X YZ"),
     QStringLiteral("AB !X YZ"), conflict(QStringLiteral("**"), QString(), 2, 4)},
    {"ProposalEndsBeforeAComparedWord", QStringLiteral("** **** *"), QStringLiteral("LE"),
     QStringLiteral("LE"), conflict(QStringLiteral("****"), QString(), 2, 4)},
    {"ProposalEndsRightAfterItsLastWord", QStringLiteral("** ** ** **"), QStringLiteral("AB CD!"),
     QStringLiteral("AB CD!"), std::nullopt},
    {"SmallLettersAreSeparators", QStringLiteral("** **"), QStringLiteral("le ch"),
     QStringLiteral("le ch"), conflict(QStringLiteral("**"), QString(), 1, 1)},
    {"AeInsideAWord", QStringLiteral("*Æ* **"), QStringLiteral("CÆS AB"), QStringLiteral("CÆS AB"),
     std::nullopt},
    {"AeInsideAWordCounts", QStringLiteral("*Æ* **"), QStringLiteral("CÆSX AB"),
     QStringLiteral("CÆSX AB"), conflict(QStringLiteral("*Æ*"), QStringLiteral("CÆSX"), 1, 1)},
    {"PunctuationInsideWords", QStringLiteral("*'**, (**) *"), QStringLiteral("L'ÉT, (AB) X"),
     QStringLiteral("L'ÉT, (AB) X"), std::nullopt},
    {"BlankAfterApostropheRemoved", QStringLiteral("*'***** **"), QStringLiteral("L' ARBRE EST"),
     QStringLiteral("L'ARBRE EST"), std::nullopt},
    {"BlankAfterRightQuoteRemoved", QStringLiteral("*’***** **"), QStringLiteral("L’ ARBRE EST"),
     QStringLiteral("L’ARBRE EST"), std::nullopt},
    {"OnlyOneOfTwoBlanksRemoved", QStringLiteral("*'***** **"), QStringLiteral("L'  ARBRE"),
     QStringLiteral("L' ARBRE"), conflict(QStringLiteral("*'*****"), QStringLiteral("L'"), 1, 1)},
    {"BlankBeforeApostropheStays", QStringLiteral("* '* *"), QStringLiteral("A 'B C"),
     QStringLiteral("A 'B C"), std::nullopt},
    {"EveryApostropheLosesOneBlank", QStringLiteral("*'*'* *"), QStringLiteral("A' B' C D"),
     QStringLiteral("A'B'C D"), std::nullopt},
    {"ReferenceWithBlankAfterApostrophe", QStringLiteral("*' ***** **"),
     QStringLiteral("L' ARBRE EST"), QStringLiteral("L'ARBRE EST"),
     conflict(QStringLiteral("*'"), QStringLiteral("L'ARBRE"), 1, 1)},
    // The found text goes on with separators the proposal leaves out: the walk must end.
    {"ProposalLacksTheFinalExclamation", QStringLiteral("** **** !"), QStringLiteral("LE CHAT"),
     QStringLiteral("LE CHAT"), std::nullopt},
    {"ProposalLacksTrailingSeparators", QStringLiteral("** ?!  "), QStringLiteral("AB"),
     QStringLiteral("AB"), std::nullopt},
    {"ProposalOfSeparatorsOnly", QStringLiteral("** ** !"), QStringLiteral("!"),
     QStringLiteral("!"), conflict(QStringLiteral("**"), QString(), 1, 1)},
    {"FoundTextOfSeparatorsOnly", QStringLiteral(" ! "), QStringLiteral("ABC DEF"),
     QStringLiteral("ABC DEF"), std::nullopt},
};

INSTANTIATE_TEST_SUITE_P(Cases, AlignmentCheck, testing::ValuesIn(kAlignmentCases),
                         caseName<AlignmentCase>);

// Words of four letters separated by single spaces, with one word made longer.
QString wordsText(int words, int longWord)
{
    QString text;
    for (int w = 1; w <= words; ++w) {
        if (w > 1)
            text += u' ';
        text += QString(w == longWord ? 5 : 4, u'A');
    }
    return text;
}

TEST(AlignmentLongTexts, ConflictBeyondPositionFiveHundredIsFound)
{
    PuzzleEngine engine;
    GameSession session;
    session.soluce = wordsText(120, 0);
    session.soluce.replace(u'A', u'*');
    session.propal = wordsText(120, 110);
    ASSERT_EQ(session.soluce.size(), 599);

    const AlignmentResult result = engine.checkAlignment(session);

    ASSERT_TRUE(result.conflict.has_value());
    EXPECT_EQ(result.conflict->wordNumber, 110);
    EXPECT_EQ(result.conflict->position, 109 * 5 + 1);
    EXPECT_EQ(result.conflict->proposalWord, QStringLiteral("AAAAA"));
}

TEST(AlignmentLongTexts, MatchingTextsOfAnyLengthPass)
{
    for (int words : {100, 120, 400}) {
        PuzzleEngine engine;
        GameSession session;
        session.propal = wordsText(words, 0) + QStringLiteral(" !");
        session.soluce = session.propal;
        session.soluce.replace(u'A', u'*');
        EXPECT_FALSE(engine.checkAlignment(session).conflict.has_value()) << words;
        session.propal = wordsText(words, 0);
        EXPECT_FALSE(engine.checkAlignment(session).conflict.has_value()) << words;
    }
}

} // namespace
