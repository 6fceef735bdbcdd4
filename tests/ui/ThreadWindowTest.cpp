// The thread in the history window: the list of its puzzles `enigmes`, and under the turns the
// rankings of the puzzle and of the thread as two tabs; a past puzzle chosen in the list shows its
// turns and ranking read-only, the current one gives the players back to correct. The window is
// wide enough for a name of 40 characters and high enough for eight players.
#include "HistoryWindowFixture.h"

#include <QComboBox>
#include <QFontMetricsF>
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
    // A table's headers, then its cells, row by row.
    static QList<QStringList> shown(const char* name)
    {
        const QTableView* table = historyTable(name);
        QStringList headers;
        for (int column = 0; column < table->model()->columnCount(); ++column)
            headers << table->model()->headerData(column, Qt::Horizontal).toString();
        return QList<QStringList>{headers} + cells(table);
    }
};

// Seven players who find nothing, then the winner, whose name is of the longest length and whom
// the post names.
TEST_F(ThreadWindowTest, TheListAndBothRankingsShowEightPlayersAndALongNameWhole)
{
    const QString winner = QStringLiteral("Wolfgang Amadeus Mozart, dit Wolfie (FR)");
    ASSERT_EQ(winner.size(), kMaxPlayerNameLength);
    for (int player = 0; player < 7; ++player)
        playAs(QStringLiteral("Joueur %1").arg(player),
               QStringLiteral("%1%1 %1%1%1%1 %1%1%1%1").arg(QStringLiteral("ZYXWVUQ")[player]));
    playAs(winner, QStringLiteral("le chat dort"));
    trigger("mnu_historique");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(historyWindow()));

    EXPECT_EQ(shown("enigmes"),
              (QList<QStringList>{{"Numéro", "Référence", "Tours", "Gagnée", "Dernière lettre par"},
                                  {"1", "LE CHAT DORT", "8", "oui", winner}}));
    EXPECT_EQ(shown("classement_fil")[0],
              (QStringList{"Rang", "Joueur", "Lettres", "Énigmes jouées"}));
    EXPECT_EQ(shown("classement_fil")[1], (QStringList{"1", winner, "10", "1"}));
    EXPECT_TRUE(m_game->forumPost().text.endsWith(
        QStringLiteral("\rDernière lettre trouvée par %1 au tour 8.\r").arg(winner)));
    QTableView* turns = historyTable("historique");
    // The cell draws its text inside a focus frame's margin and a pixel on either side.
    const int margin =
        turns->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, turns) + 1;
    const qreal room = turns->visualRect(turns->model()->index(8, 1)).width() - 2 * margin;
    EXPECT_EQ(QFontMetricsF(turns->font()).elidedText(winner, Qt::ElideRight, room), winner);

    auto* tabs = historyWindow()->findChild<QTabWidget*>();
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ((QStringList{tabs->tabText(0), tabs->tabText(1)}), (QStringList{"Énigme", "Fil"}));
    for (QTableView* ranking : {historyTable("classement"), historyTable("classement_fil")}) {
        tabs->setCurrentWidget(ranking);
        ASSERT_EQ(ranking->model()->rowCount(), 8);
        EXPECT_TRUE(ranking->viewport()->rect().contains(
            ranking->visualRect(ranking->model()->index(7, 0))))
            << ranking->objectName().toStdString();
    }
}

// Enabled once «Initialiser» after a played turn closes the puzzle into the thread.
TEST_F(ThreadWindowTest, APastPuzzleChosenShowsItsTurnsReadOnly)
{
    playAs(QStringLiteral("Alice"), QStringLiteral("la chat mort"));
    ref()->clear();
    initialise(QStringLiteral("le vieux chien"));
    playAs(QStringLiteral("Bob"), QStringLiteral("le vieil chien"));
    trigger("mnu_historique");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(historyWindow()));
    ASSERT_EQ(column(historyTable("enigmes"), 1), (QStringList{"LE CHAT DORT", "LE VIEUX CHIEN"}));
    EXPECT_EQ(column(historyTable("classement_fil"), 1), (QStringList{"Bob", "Alice"}));

    QTableView* puzzles = historyTable("enigmes");
    const QAbstractItemModel* turns = historyTable("historique")->model();
    const struct {
        int row;
        QStringList players;
        bool editable;
    } choices[] = {{0, {"", "Alice"}, false}, {1, {"", "Bob", "Carole"}, true}};
    for (const auto& c : choices) {
        QTest::mouseClick(puzzles->viewport(), Qt::LeftButton, {},
                          puzzles->visualRect(puzzles->model()->index(c.row, 0)).center());
        // The game goes on while the past puzzle is shown.
        m_window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
        if (c.row == 0)
            playAs(QStringLiteral("Carole"), QStringLiteral("le vieux chien"));
        EXPECT_EQ(column(historyTable("historique"), 1), c.players);
        EXPECT_EQ(bool(turns->flags(turns->index(1, 1)) & Qt::ItemIsEditable), c.editable);
    }
}

} // namespace
