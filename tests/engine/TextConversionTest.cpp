// The two readings every layer shares: line breaks rewritten in one form (a CR LF pair is one
// break), and a count caption read as a whole number.
#include "EngineTestSupport.h"
#include "GameSession.h"
#include "LineBreaks.h"

namespace {

struct BreakCase {
    const char* name;
    QString text;
    QString lineBreak;
    QString expected;
};

class LineBreaksTest : public ::testing::TestWithParam<BreakCase> {};

TEST_P(LineBreaksTest, EachBreakBecomesTheGivenOne)
{
    EXPECT_EQ(withLineBreaks(GetParam().text, GetParam().lineBreak), GetParam().expected);
}

const QString kCrLf = QStringLiteral("\r\n");
const QString kLf = QStringLiteral("\n");
const QString kBlank = QStringLiteral(" ");

INSTANTIATE_TEST_SUITE_P(
    Forms, LineBreaksTest,
    ::testing::Values(
        BreakCase{"NoBreak", QStringLiteral("LE CHAT"), kCrLf, QStringLiteral("LE CHAT")},
        BreakCase{"LoneLfToCrLf", QStringLiteral("A\nB"), kCrLf, QStringLiteral("A\r\nB")},
        BreakCase{"LoneCrToCrLf", QStringLiteral("A\rB"), kCrLf, QStringLiteral("A\r\nB")},
        BreakCase{"CrLfStaysOne", QStringLiteral("A\r\nB"), kCrLf, QStringLiteral("A\r\nB")},
        BreakCase{"LfCrIsTwoBreaks", QStringLiteral("A\n\rB"), kCrLf, QStringLiteral("A\r\n\r\nB")},
        BreakCase{"CrLfToPane", QStringLiteral("A\r\nB\rC"), kLf, QStringLiteral("A\nB\nC")},
        BreakCase{"CrLfIsOneBlank", QStringLiteral("A\r\nB"), kBlank, QStringLiteral("A B")},
        BreakCase{"BreaksAtBothEnds", QStringLiteral("\r\nA\r"), kBlank, QStringLiteral(" A ")}),
    caseName<BreakCase>);

TEST(CaptionNumberTest, ReadsAWholeNumberOrNothing)
{
    const struct {
        const char* caption;
        std::optional<qint64> number;
    } cases[] = {
        {"0", 0},
        {"42", 42},
        {" 7 ", 7},
        {"-3", -3},
        {"007", 7},
        {"", {}},
        {"Vide", {}},
        {"4.0", {}},
        {"1 2", {}},
        {"0x10", {}},
        {"99999999999", 99999999999LL},
    };
    for (const auto& c : cases)
        EXPECT_EQ(captionNumber(QString::fromLatin1(c.caption)), c.number) << c.caption;
}

} // namespace
