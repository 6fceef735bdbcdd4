// The players in the window, with the real widgets: the field joueur credits the turn played, is
// emptied after it, completes from the game's players whatever the case and the accents, offers a
// player whose name looks like the one typed, and gets the player of an undone turn back; a turn's
// Joueur cell in the history window corrects it and the ranking follows; "Classement dans le
// message" stays with the game and ends the post with the ranking; "Aperçu du message" draws the
// post as the clipboard gets it and follows the game.
#include "HistoryWindow.h"
#include "HistoryWindowFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QTextBrowser>

class PlayersWindowTest : public HistoryWindowFixture {
  protected:
    QComboBox* joueur() const { return child<QComboBox>(QStringLiteral("joueur")); }
    void playAs(const QString& player, const QString& proposal)
    {
        typeInto(joueur()->lineEdit(), player);
        generate(proposal);
    }
};

TEST_F(PlayersWindowTest, TheFieldCreditsTheTurnAndCompletesFromThePlayers)
{
    playAs(QStringLiteral("Alice"), QStringLiteral("la chat mort"));
    EXPECT_EQ(joueur()->currentText(), QString());
    click(joueur());
    QTest::keyClicks(joueur()->lineEdit(), QStringLiteral("al"));
    EXPECT_EQ(joueur()->currentText().toLower(), QStringLiteral("alice"));
    generate(QStringLiteral("le chat fort"));

    trigger("mnu_historique");
    EXPECT_EQ(column(historyTable("historique"), 1),
              (QStringList{QString(), QStringLiteral("Alice"), QStringLiteral("Alice")}));
    const QTableView* ranking = historyTable("classement");
    ASSERT_EQ(ranking->model()->rowCount(), 1);
    EXPECT_EQ((QStringList{column(ranking, 0)[0], column(ranking, 1)[0], column(ranking, 2)[0],
                           column(ranking, 3)[0]}),
              (QStringList{QStringLiteral("1"), QStringLiteral("Alice"), QStringLiteral("9"),
                           QStringLiteral("2")}));

    trigger("mnu_annuler_tour");
    EXPECT_EQ(joueur()->currentText(), QStringLiteral("Alice"));
}

// «Zoe» typed when «Zoé» has played: the list under the field offers «Zoé», a click takes it; a
// new spelling kept as typed still plays, and the list never takes the click on «Générer». The
// list shows only while the field has the focus: not once the master clicks elsewhere, nor when
// an undo brings «Zoe» back into the field.
TEST_F(PlayersWindowTest, ANameThatLooksLikeAPlayersIsOfferedThatPlayer)
{
    playAs(QStringLiteral("Zoé"), QStringLiteral("la chat mort"));
    click(joueur());
    QTest::keyClicks(joueur()->lineEdit(), QStringLiteral("Zoe"));
    auto* offers = topLevel<QListWidget>("joueur_offres");
    ASSERT_NE(offers, nullptr);
    ASSERT_TRUE(offers->isVisible());
    ASSERT_GE(offers->count(), 1);
    EXPECT_EQ(offers->item(0)->text(), QStringLiteral("Zoé"));
    QTest::mouseClick(offers->viewport(), Qt::LeftButton, {},
                      offers->visualItemRect(offers->item(0)).center());
    EXPECT_EQ(joueur()->currentText(), QStringLiteral("Zoé"));
    EXPECT_FALSE(offers->isVisible());

    QTest::keyClick(joueur()->lineEdit(), Qt::Key_Backspace);
    QTest::keyClicks(joueur()->lineEdit(), QStringLiteral("e"));
    EXPECT_TRUE(offers->isVisible());
    click(propal());
    EXPECT_FALSE(offers->isVisible());
    generate(QStringLiteral("le chat fort"));
    EXPECT_EQ(m_game->turns().last().joueur, QStringLiteral("Zoe"));
    EXPECT_FALSE(offers->isVisible());
    trigger("mnu_annuler_tour");
    EXPECT_EQ(joueur()->currentText(), QStringLiteral("Zoe"));
    EXPECT_FALSE(offers->isVisible());
}

// The column grows to the longest name, and stops at its cap so that the texts keep their room.
TEST_F(PlayersWindowTest, ThePlayersColumnFitsTheNamesUpToItsCap)
{
    trigger("mnu_historique");
    auto* window = qobject_cast<HistoryWindow*>(historyWindow());
    ASSERT_NE(window, nullptr);
    const QTableView* table = historyTable("historique");
    const int nobody = table->columnWidth(1);
    EXPECT_LT(nobody, window->playerColumnCap());

    playAs(QStringLiteral("Jean-Baptiste"), QStringLiteral("la chat mort"));
    const int named = table->columnWidth(1);
    EXPECT_GT(named, nobody);
    EXPECT_LT(named, window->playerColumnCap());

    playAs(QString(40, QLatin1Char('W')), QStringLiteral("le chat fort"));
    EXPECT_EQ(table->columnWidth(1), window->playerColumnCap());
    EXPECT_GT(table->columnWidth(2), 0);
}

TEST_F(PlayersWindowTest, AJoueurCellCorrectsTheTurnAndTheRankingFollows)
{
    playAs(QStringLiteral("Alice"), QStringLiteral("la chat mort"));
    clickButton(QStringLiteral("record"));
    trigger("mnu_historique");
    QTableView* table = historyTable("historique");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(historyWindow()));
    EXPECT_FALSE(table->model()->flags(table->model()->index(0, 1)) & Qt::ItemIsEditable);

    // A double-click and F2 open the cell's editor; what is typed there is trimmed.
    const QModelIndex cell = table->model()->index(1, 1);
    const struct {
        bool byF2;
        QString typed;
        QString player;
    } edits[] = {{false, QStringLiteral(" Bob "), QStringLiteral("Bob")},
                 {true, QStringLiteral("Carole"), QStringLiteral("Carole")}};
    for (const auto& e : edits) {
        QLineEdit* editor = nullptr;
        if (e.byF2) {
            table->setCurrentIndex(cell);
            QTest::keyClick(table, Qt::Key_F2);
            editor = qobject_cast<QLineEdit*>(table->indexWidget(cell));
        } else {
            editor = doubleClickCell(table, cell);
        }
        ASSERT_NE(editor, nullptr) << e.player.toStdString();
        editor->selectAll();
        QTest::keyClicks(editor, e.typed);
        QTest::keyClick(editor, Qt::Key_Return);
        // The delegate commits the edit from the event loop.
        QApplication::processEvents();

        EXPECT_EQ(cell.data().toString(), e.player);
        EXPECT_EQ(column(historyTable("classement"), 1), QStringList{e.player});
        EXPECT_TRUE(m_game->isModified());
    }
}

TEST_F(PlayersWindowTest, TheRankingOptionStaysWithTheGameAndThePreviewFollows)
{
    playAs(QStringLiteral("<b>x</b>"), QStringLiteral("la chat mort"));
    trigger("mnu_apercu");
    QDialog* window = topLevel<QDialog>("form_apercu");
    ASSERT_NO_FATAL_FAILURE(
        expectModeless(window, "form_apercu", QStringLiteral("Aperçu du message")));
    auto* preview = window->findChild<QTextBrowser*>(QStringLiteral("apercu"));
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(preview->isReadOnly());
    const auto shownAsPosted = [&] {
        clickButton(QStringLiteral("bt_copier"));
        QString post = QGuiApplication::clipboard()->text();
        post.remove(QRegularExpression(QStringLiteral(R"(\[/?(b|color|font|size)(=[^\]]*)?\])")));
        EXPECT_EQ(preview->toPlainText(), post.replace(QLatin1Char('\r'), QLatin1Char('\n')));
    };
    shownAsPosted();

    trigger("mnu_classement");
    EXPECT_TRUE(child<QAction>(QStringLiteral("mnu_classement"))->isChecked());
    shownAsPosted();
    EXPECT_TRUE(QGuiApplication::clipboard()->text().endsWith(
        QStringLiteral("\r[b]Classement[/b]\r1. <b>x</b> : 8 lettres\r")));

    ASSERT_TRUE(startWindow());
    EXPECT_TRUE(child<QAction>(QStringLiteral("mnu_classement"))->isChecked());
}
