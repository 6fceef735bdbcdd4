// The thread in the history window: the list of its puzzles `enigmes`, and under the turns the
// rankings of the puzzle and of the thread as two tabs; a past puzzle chosen in the list shows its
// turns and ranking read-only, the current one gives the players back to correct. The window is
// wide enough for a name of 40 characters and high enough for eight players.
#include "HistoryWindow.h"
#include "HistoryWindowFixture.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QStyle>
#include <QTabWidget>

namespace {

class ThreadWindowTest : public HistoryWindowFixture {
  protected:
    void playAs(const QString& player, const QString& proposal)
    {
        typeInto(child<QComboBox>(QStringLiteral("joueur"))->lineEdit(), player);
        generate(proposal);
    }
    static QStringList headers(const QTableView* table)
    {
        QStringList texts;
        for (int column = 0; column < table->model()->columnCount(); ++column)
            texts << table->model()->headerData(column, Qt::Horizontal).toString();
        return texts;
    }
    // Chooses the puzzle's row of the list as a user does, with a click.
    static void choose(int row)
    {
        QTableView* puzzles = historyTable("enigmes");
        QTest::mouseClick(puzzles->viewport(), Qt::LeftButton, {},
                          puzzles->visualRect(puzzles->model()->index(row, 0)).center());
    }
    static bool playerEditable(int row)
    {
        const QAbstractItemModel* turns = historyTable("historique")->model();
        return turns->flags(turns->index(row, 1)) & Qt::ItemIsEditable;
    }
};

TEST_F(ThreadWindowTest, ThePuzzlesAndBothRankingsFollowTheGame)
{
    playAs(QStringLiteral("Alice"), QStringLiteral("la chat mort"));
    trigger("mnu_historique");
    auto* tabs = historyWindow()->findChild<QTabWidget*>();
    ASSERT_NE(tabs, nullptr);
    ASSERT_EQ(tabs->count(), 2);
    EXPECT_EQ((QStringList{tabs->tabText(0), tabs->tabText(1)}),
              (QStringList{QStringLiteral("Énigme"), QStringLiteral("Fil")}));
    EXPECT_EQ(tabs->widget(0), historyTable("classement"));
    EXPECT_EQ(tabs->widget(1), historyTable("classement_fil"));
    EXPECT_EQ(headers(historyTable("classement_fil")),
              (QStringList{QStringLiteral("Rang"), QStringLiteral("Joueur"),
                           QStringLiteral("Lettres"), QStringLiteral("Énigmes jouées")}));
    EXPECT_EQ(
        headers(historyTable("enigmes")),
        (QStringList{QStringLiteral("Numéro"), QStringLiteral("Référence"), QStringLiteral("Tours"),
                     QStringLiteral("Gagnée"), QStringLiteral("Dernière lettre par")}));

    playAs(QStringLiteral("Bob"), QStringLiteral("le chat dort"));
    EXPECT_EQ(
        cells(historyTable("enigmes")),
        (QList<QStringList>{{QStringLiteral("1"), QStringLiteral("LE CHAT DORT"),
                             QStringLiteral("2"), QStringLiteral("oui"), QStringLiteral("Bob")}}));
    EXPECT_EQ(cells(historyTable("classement_fil")),
              (QList<QStringList>{{QStringLiteral("1"), QStringLiteral("Alice"),
                                   QStringLiteral("8"), QStringLiteral("1")},
                                  {QStringLiteral("2"), QStringLiteral("Bob"), QStringLiteral("2"),
                                   QStringLiteral("1")}}));
}

// Eight players, the last of them with a name of the longest length: the turn table shows it
// whole, and each ranking its eight rows without scrolling.
TEST_F(ThreadWindowTest, AFortyCharacterNameShowsWholeAndEightPlayersWithoutScrolling)
{
    const QString longest = QStringLiteral("Wolfgang Amadeus Mozart, dit Wolfie (FR)");
    ASSERT_EQ(longest.size(), kMaxPlayerNameLength);
    const QString letters = QStringLiteral("ZYXWVUQK");
    for (int player = 0; player < 8; ++player) {
        const QString proposal = QStringLiteral("%1%1 %1%1%1%1 %1%1%1%1").arg(letters[player]);
        playAs(player == 7 ? longest : QStringLiteral("Joueur %1").arg(player), proposal);
    }
    trigger("mnu_historique");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(historyWindow()));
    QTableView* turns = historyTable("historique");
    // The cell draws its text inside a focus frame's margin and a pixel on either side.
    const int margin =
        turns->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, turns) + 1;
    const QModelIndex cell = turns->model()->index(8, 1);
    EXPECT_EQ(
        QFontMetricsF(turns->font())
            .elidedText(longest, Qt::ElideRight, turns->visualRect(cell).width() - 2 * margin),
        longest);

    auto* tabs = historyWindow()->findChild<QTabWidget*>();
    for (const char* name : {"classement", "classement_fil"}) {
        QTableView* ranking = historyTable(name);
        tabs->setCurrentWidget(ranking);
        QApplication::processEvents();
        ASSERT_EQ(ranking->model()->rowCount(), 8) << name;
        const QRect last = ranking->visualRect(ranking->model()->index(7, 0));
        EXPECT_TRUE(ranking->viewport()->rect().contains(last)) << name;
    }
}

// Enabled once «Initialiser» after a played turn closes the puzzle into the thread.
TEST_F(ThreadWindowTest, DISABLED_APastPuzzleChosenShowsItsTurnsReadOnly)
{
    playAs(QStringLiteral("Alice"), QStringLiteral("la chat mort"));
    click(ref());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
    initialise(QStringLiteral("le vieux chien"));
    playAs(QStringLiteral("Bob"), QStringLiteral("le vieil chien"));
    trigger("mnu_historique");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(historyWindow()));
    ASSERT_EQ(column(historyTable("enigmes"), 1),
              (QStringList{QStringLiteral("LE CHAT DORT"), QStringLiteral("LE VIEUX CHIEN")}));
    EXPECT_EQ(column(historyTable("classement_fil"), 1),
              (QStringList{QStringLiteral("Bob"), QStringLiteral("Alice")}));

    choose(0);
    EXPECT_EQ(column(historyTable("historique"), 2),
              (QStringList{QString(), QStringLiteral("LA CHAT MORT")}));
    EXPECT_EQ(column(historyTable("classement"), 1), QStringList{QStringLiteral("Alice")});
    EXPECT_FALSE(playerEditable(1));
    // The game goes on: the past puzzle stays shown.
    m_window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    playAs(QStringLiteral("Carole"), QStringLiteral("le vieux chien"));
    EXPECT_EQ(column(historyTable("historique"), 1),
              (QStringList{QString(), QStringLiteral("Alice")}));

    choose(1);
    EXPECT_EQ(column(historyTable("historique"), 1),
              (QStringList{QString(), QStringLiteral("Bob"), QStringLiteral("Carole")}));
    EXPECT_TRUE(playerEditable(1));
}

} // namespace
