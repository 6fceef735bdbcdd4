// The clean-up of the reference text and of the proposal when their panes lose the focus:
// simple one-to-one capitals, spaces trimmed at both ends only, CR and LF turned into "µ"
// markers that pair into a space, and for the proposal also stray "?" removed and space runs
// collapsed. A "µ" already in the text keeps pairing, and a second pass can still change a text.
#include "EngineTestSupport.h"

namespace {

class ReferenceNormalisation : public testing::TestWithParam<TextCase> {};

TEST_P(ReferenceNormalisation, GivesTheExpectedText)
{
    EXPECT_EQ(PuzzleEngine::normaliseReference(GetParam().input), GetParam().expected);
}

const TextCase kReferenceCases[] = {
    {"Empty", QString(), QString()},
    {"TrimsAndCapitalises", QStringLiteral("  le chat  "), QStringLiteral("LE CHAT")},
    {"CrLfBecomesASpace", QStringLiteral("la nuit\r\ntombe"), QStringLiteral("LA NUIT TOMBE")},
    {"TrailingCrLfLeavesASpace", QStringLiteral("fin\r\n"), QStringLiteral("FIN ")},
    {"TwoLineBreaksTwoSpaces", QStringLiteral("un\r\n\r\ndeux"), QStringLiteral("UN  DEUX")},
    {"LoneLineFeedIsAMarker", QStringLiteral("un\ndeux"), QStringLiteral("UNµDEUX")},
    {"LoneCarriageReturnIsAMarker", QStringLiteral("un\rdeux"), QStringLiteral("UNµDEUX")},
    {"ThreeBreakCharacters", QStringLiteral("a\r\r\nb"), QStringLiteral("A µB")},
    {"OnlySpaces", QStringLiteral("     "), QString()},
    {"SingleCrLf", QStringLiteral("\r\n"), QStringLiteral(" ")},
    {"AccentedSmallLetters", QStringLiteral("àîë œç é"), QStringLiteral("ÀÎË ŒÇ É")},
    {"NoSingleCapitalStays", QStringLiteral("straße"), QStringLiteral("STRAßE")},
    {"InnerSpacesKept", QStringLiteral("a   b"), QStringLiteral("A   B")},
    {"OnlySpacesAreTrimmed", QStringLiteral("\ta b\t"), QStringLiteral("\tA B\t")},
    {"TypedMarkersPair", QStringLiteral("aµµb"), QStringLiteral("A B")},
    {"TypedMarkerStaysMicroSign", QStringLiteral("aµb"), QStringLiteral("AµB")},
    {"TypedMarkerPairsWithLineFeed", QStringLiteral("aµ\nb"), QStringLiteral("A B")},
};

INSTANTIATE_TEST_SUITE_P(Cases, ReferenceNormalisation, testing::ValuesIn(kReferenceCases),
                         caseName<TextCase>);

class ProposalNormalisation : public testing::TestWithParam<TextCase> {};

TEST_P(ProposalNormalisation, GivesTheExpectedText)
{
    EXPECT_EQ(PuzzleEngine::normaliseProposal(GetParam().input), GetParam().expected);
}

const TextCase kProposalCases[] = {
    {"Empty", QString(), QString()},
    {"QuestionMarkAfterLetter", QStringLiteral("c'est vrai?"), QStringLiteral("C'EST VRAI")},
    {"QuestionMarkAfterSpace", QStringLiteral("c'est vrai ?"), QStringLiteral("C'EST VRAI ?")},
    {"SlidingQuestionMarkNotExamined", QStringLiteral("a??"), QStringLiteral("A?")},
    {"FourQuestionMarks", QStringLiteral("a????"), QStringLiteral("A??")},
    {"QuestionMarkFirst", QStringLiteral("?a"), QStringLiteral("?A")},
    {"LoneQuestionMark", QStringLiteral("?"), QStringLiteral("?")},
    {"QuestionMarkAfterLineBreak", QStringLiteral("a\n?b"), QStringLiteral("AµB")},
    {"TrimsAndCollapses", QStringLiteral("  bonjour  les  amis  "),
     QStringLiteral("BONJOUR LES AMIS")},
    {"OnlySpaces", QStringLiteral("      "), QString()},
    {"TwoLines", QStringLiteral("ligne un\r\nligne deux"), QStringLiteral("LIGNE UN LIGNE DEUX")},
    {"TrailingCrLfLeavesASpace", QStringLiteral("fin\r\n"), QStringLiteral("FIN ")},
    {"LeadingCrLfLeavesASpace", QStringLiteral("\r\ndébut"), QStringLiteral(" DÉBUT")},
    {"LoneLineFeed", QStringLiteral("A\nB"), QStringLiteral("AµB")},
    {"ThreeMarks", QStringLiteral("a\r\n\rb"), QStringLiteral("A µB")},
    {"TwoLineBreaksCollapse", QStringLiteral("a\r\n\r\nb"), QStringLiteral("A B")},
    {"FortySpaces", QStringLiteral("A") + QString(40, u' ') + QStringLiteral("B"),
     QStringLiteral("A B")},
    {"AccentedCapitals", QStringLiteral("œuvre à l'été"), QStringLiteral("ŒUVRE À L'ÉTÉ")},
    {"TypedMarkersPair", QStringLiteral("aµµb"), QStringLiteral("A B")},
    {"TypedMarkerStaysMicroSign", QStringLiteral("aµb"), QStringLiteral("AµB")},
};

INSTANTIATE_TEST_SUITE_P(Cases, ProposalNormalisation, testing::ValuesIn(kProposalCases),
                         caseName<TextCase>);

TEST(Normalise, UpperCasingNeverChangesTheLength)
{
    // Characters whose full capital is longer (ß, the ligature ﬁ, ŉ) keep one code unit.
    const QString text = QStringLiteral("ßﬁŉ ǆ ÿ");
    EXPECT_EQ(PuzzleEngine::normaliseReference(text).size(), text.size());
    EXPECT_EQ(PuzzleEngine::normaliseProposal(text).size(), text.size());
}

TEST(Normalise, MicroSignIsNeverTurnedIntoGreekMu)
{
    const QString micro = QStringLiteral("\u00B5");
    EXPECT_EQ(PuzzleEngine::normaliseReference(micro), micro);
    EXPECT_EQ(PuzzleEngine::normaliseProposal(micro), micro);
    EXPECT_FALSE(PuzzleEngine::normaliseReference(QStringLiteral("aµb")).contains(u'\u039C'));
}

TEST(Normalise, MarkersLeftByAnEarlierPassPairOnTheNextOne)
{
    // A lone LF left "µ" at the end; a CR typed after it pairs with that marker.
    const QString first = PuzzleEngine::normaliseReference(QStringLiteral("fin\n"));
    ASSERT_EQ(first, QStringLiteral("FINµ"));
    EXPECT_EQ(PuzzleEngine::normaliseReference(first + u'\r'), QStringLiteral("FIN "));
    EXPECT_EQ(PuzzleEngine::normaliseProposal(first + u'\r'), QStringLiteral("FIN "));
}

struct TwoPassCase {
    const char* name;
    QString input;
    QString afterFirst;
    QString afterSecond;
};

TEST(Normalise, SecondPassOfTheReferenceTrimsSpacesLeftByLineBreaks)
{
    const TwoPassCase cases[] = {
        {"Trailing", QStringLiteral("fin\r\n"), QStringLiteral("FIN "), QStringLiteral("FIN")},
        {"Leading", QStringLiteral("\r\nfin"), QStringLiteral(" FIN"), QStringLiteral("FIN")},
        {"Stable", QStringLiteral("le chat"), QStringLiteral("LE CHAT"), QStringLiteral("LE CHAT")},
    };
    for (const TwoPassCase& c : cases) {
        const QString first = PuzzleEngine::normaliseReference(c.input);
        EXPECT_EQ(first, c.afterFirst) << c.name;
        EXPECT_EQ(PuzzleEngine::normaliseReference(first), c.afterSecond) << c.name;
    }
}

TEST(Normalise, SecondPassOfTheProposalExaminesWhatTheFirstSkipped)
{
    const TwoPassCase cases[] = {
        {"TrailingSpace", QStringLiteral("fin\r\n"), QStringLiteral("FIN "), QStringLiteral("FIN")},
        {"SkippedQuestionMark", QStringLiteral("a??"), QStringLiteral("A?"), QStringLiteral("A")},
        {"Stable", QStringLiteral("c'est vrai ?"), QStringLiteral("C'EST VRAI ?"),
         QStringLiteral("C'EST VRAI ?")},
    };
    for (const TwoPassCase& c : cases) {
        const QString first = PuzzleEngine::normaliseProposal(c.input);
        EXPECT_EQ(first, c.afterFirst) << c.name;
        EXPECT_EQ(PuzzleEngine::normaliseProposal(first), c.afterSecond) << c.name;
    }
}

} // namespace
