// The history window's table: a text shows each of its line breaks as one blank, and a table
// scrolled to its end follows the turns added, while one scrolled up stays where it is.
#include "GameController.h"
#include "HistoryWindow.h"

#include <QApplication>
#include <QScrollBar>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct OneLineCase {
    const char* name;
    QString text;
};

void PrintTo(const OneLineCase& c, std::ostream* out)
{
    *out << c.name;
}

class HistoryTableLineTest : public ::testing::TestWithParam<OneLineCase> {};

TEST_P(HistoryTableLineTest, EachLineBreakIsOneBlank)
{
    TurnTableModel model;
    model.setTurns({Turn{GetParam().text, GetParam().text, 1, 2, QString()}});
    EXPECT_EQ(model.index(0, 2).data().toString(), QStringLiteral("UN DEUX"));
    EXPECT_EQ(model.index(0, 5).data().toString(), QStringLiteral("UN DEUX"));
}

INSTANTIATE_TEST_SUITE_P(Breaks, HistoryTableLineTest,
                         ::testing::Values(OneLineCase{"CrLf", QStringLiteral("UN\r\nDEUX")},
                                           OneLineCase{"LoneCr", QStringLiteral("UN\rDEUX")},
                                           OneLineCase{"LoneLf", QStringLiteral("UN\nDEUX")}),
                         [](const auto& info) { return std::string(info.param.name); });

QList<Turn> turns(int count)
{
    QList<Turn> list;
    for (int i = 0; i < count; ++i)
        list.append(Turn{QStringLiteral("TOUR %1").arg(i), QStringLiteral("**"), i, 2, QString()});
    return list;
}

// Whether the row is inside the table's viewport.
bool rowShown(QTableView* table, int row)
{
    const QRect cell = table->visualRect(table->model()->index(row, 0));
    return cell.isValid() && table->viewport()->rect().contains(cell);
}

struct ScrollCase {
    const char* name;
    bool scrolledToTop;
    bool newTurnShown;
};

void PrintTo(const ScrollCase& c, std::ostream* out)
{
    *out << c.name;
}

class HistoryTableScrollTest : public ::testing::TestWithParam<ScrollCase> {};

TEST_P(HistoryTableScrollTest, ANewTurnIsShownOnlyFromTheEnd)
{
    GameController game;
    HistoryWindow window(game);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto* table = window.findChild<QTableView*>(QStringLiteral("historique"));
    ASSERT_NE(table, nullptr);
    constexpr int kFilling = 100;
    window.showHistory(turns(kFilling));
    ASSERT_FALSE(rowShown(table, 0)) << "the turns fill the window";
    ASSERT_TRUE(rowShown(table, kFilling - 1));
    if (GetParam().scrolledToTop)
        table->verticalScrollBar()->setValue(0);

    window.showHistory(turns(kFilling + 1));
    EXPECT_EQ(rowShown(table, kFilling), GetParam().newTurnShown);
    EXPECT_EQ(rowShown(table, 0), GetParam().scrolledToTop);
}

INSTANTIATE_TEST_SUITE_P(Positions, HistoryTableScrollTest,
                         ::testing::Values(ScrollCase{"AtTheEnd", false, true},
                                           ScrollCase{"ScrolledToTheTop", true, false}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
