// Line breaks rewritten in one form (a CR LF pair is one break), as every layer reads them.
#include "EngineTestSupport.h"
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


} // namespace
