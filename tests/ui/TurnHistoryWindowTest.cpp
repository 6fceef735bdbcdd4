// The turn history in the window: "Annuler le dernier tour" (also Ctrl+Alt+Z, from any pane)
// shows the turn before in the panes and counts and the undone proposal in its pane, and is
// enabled only while the game can undo, a stored history included; Ctrl+Z stays the pane's own
// undo of typing. "Historique des tours" opens a modeless table beside the main window, read-only
// but for its players, that follows turns played and undone. The turn keys work from the history
// window and the conflict dialog too.
#include "HistoryWindow.h"
#include "HistoryWindowFixture.h"
#include "WindowPlacement.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QScreen>
#include <QTableView>
#include <QTest>

#include <functional>

class TurnHistoryWindowTest : public HistoryWindowFixture {
  protected:
    QAction* undoItem() const { return child<QAction>(QStringLiteral("mnu_annuler_tour")); }
    QStringList counts() const
    {
        return {label(QStringLiteral("lettres_trouvées")),
                label(QStringLiteral("lettres_restantes"))};
    }
};

TEST_F(TurnHistoryWindowTest, UndoPutsTheTurnBeforeBackAndFollowsWhatCanBeUndone)
{
    EXPECT_FALSE(undoItem()->isEnabled()) << "turn 0 cannot be undone";
    generate(QStringLiteral("la chat mort"));
    EXPECT_EQ(soluce()->toPlainText(), QStringLiteral("L* CHAT *ORT"));
    EXPECT_TRUE(undoItem()->isEnabled());

    trigger("mnu_annuler_tour");
    EXPECT_EQ(soluce()->toPlainText(), QStringLiteral("** **** ****"));
    EXPECT_EQ(lettres()->toPlainText(), QStringLiteral("A C D E H L O R TT "));
    EXPECT_EQ(counts(), (QStringList{QStringLiteral("0"), QStringLiteral("10")}));
    EXPECT_EQ(propal()->toPlainText(), QStringLiteral("LA CHAT MORT"));
    EXPECT_FALSE(undoItem()->isEnabled());
}

TEST_F(TurnHistoryWindowTest, CtrlAltZUndoesFromAPaneWhileCtrlZUndoesTyping)
{
    generate(QStringLiteral("le chat fort"));
    typeInto(ref(), QStringLiteral("x"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(ref()->toPlainText(), QStringLiteral("LE CHAT DORT")) << "the pane undid the x";
    EXPECT_EQ(soluce()->toPlainText(), QStringLiteral("LE CHAT *ORT"));

    click(propal());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(soluce()->toPlainText(), QStringLiteral("** **** ****"));
    EXPECT_EQ(propal()->toPlainText(), QStringLiteral("LE CHAT FORT"));
}

TEST_F(TurnHistoryWindowTest, HistoryWindowFollowsTheGameAndOnlyPlayersCanBeEdited)
{
    generate(QStringLiteral("la chat mort"));
    trigger("mnu_historique");
    auto* window = historyWindow();
    ASSERT_NO_FATAL_FAILURE(
        expectModeless(window, "form_historique", QStringLiteral("Historique des tours")));
    auto* table = historyTable("historique");
    ASSERT_NE(table, nullptr);

    QStringList headers;
    for (int column = 0; column < table->model()->columnCount(); ++column)
        headers << table->model()->headerData(column, Qt::Horizontal).toString();
    EXPECT_EQ(headers,
              (QStringList{QStringLiteral("Tour"), QStringLiteral("Joueur"),
                           QStringLiteral("Proposition"), QStringLiteral("Lettres trouvées"),
                           QStringLiteral("Lettres restantes"), QStringLiteral("Texte trouvé")}));
    // Turn 0 keeps the found count shown when the puzzle started: the sample game's "0".
    const QList<QStringList> twoTurns = {
        {QStringLiteral("0"), QString(), QString(), QStringLiteral("0"), QStringLiteral("10"),
         QStringLiteral("** **** ****")},
        {QStringLiteral("1"), QString(), QStringLiteral("LA CHAT MORT"), QStringLiteral("8"),
         QStringLiteral("2"), QStringLiteral("L* CHAT *ORT")}};
    EXPECT_EQ(cells(table), twoTurns);

    // Modeless: the game goes on while it is open, and it follows.
    generate(QStringLiteral("le chat fort"));
    EXPECT_EQ(cells(table).size(), 3);
    EXPECT_EQ(cells(table).last()[2], QStringLiteral("LE CHAT FORT"));
    trigger("mnu_annuler_tour");
    EXPECT_EQ(cells(table), twoTurns);

    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    const QModelIndex cell = table->model()->index(1, 2);
    EXPECT_FALSE(table->model()->flags(cell) & Qt::ItemIsEditable);
    EXPECT_EQ(doubleClickCell(table, cell), nullptr) << "no editor opens";
}

TEST_F(TurnHistoryWindowTest, UndoThatCannotReadEarlierTurnsLeavesTheItemAsTheGameStands)
{
    generate(QStringLiteral("la chat mort"));
    generate(QStringLiteral("le chat fort"));
    generate(QStringLiteral("le chat sort"));
    clickButton(QStringLiteral("record"));
    ASSERT_TRUE(m_sink.shown.empty());
    {
        // The start reads only the last turns; the second undo needs those before them.
        RawStore raw(m_path);
        ASSERT_TRUE(raw.exec(QStringLiteral("DELETE FROM tours WHERE numero = 1")));
    }
    ASSERT_TRUE(startWindow());
    EXPECT_TRUE(undoItem()->isEnabled()) << "the stored history can be undone";

    trigger("mnu_annuler_tour");
    ASSERT_TRUE(undoItem()->isEnabled());
    trigger("mnu_annuler_tour");

    EXPECT_FALSE(m_game->canUndo());
    EXPECT_FALSE(undoItem()->isEnabled());
    EXPECT_EQ(soluce()->toPlainText(), m_game->session().soluce);
    ASSERT_EQ(m_sink.shown.size(), 1u);
    EXPECT_EQ(m_sink.shown[0].text,
              QStringLiteral("Les tours précédents n'ont pas pu être relus dans le fichier de la "
                             "partie : ils ne peuvent pas être annulés."));
    EXPECT_EQ(m_sink.shown[0].icon, MessageIcon::Warning);

    // The history window numbers the turns it can show from where the file could be read.
    trigger("mnu_historique");
    auto* table = historyTable("historique");
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->model()->rowCount(), 1);
    EXPECT_EQ(table->model()->index(0, 0).data().toString(), QStringLiteral("2"));
}

// The history window opens beside the main window (on the offscreen screen, which has no room
// beside it nor below it, over the panes and ending above the buttons), and the turn keys reach
// the game from it and from the conflict dialog as from the main window: the proposal is tidied
// first.
TEST_F(TurnHistoryWindowTest, TurnKeysWorkFromTheOtherWindows)
{
    typeInto(propal(), QStringLiteral("la chat mort"));
    trigger("mnu_historique");
    QDialog* history = historyWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(history));
    const QSize frameMargins = history->frameGeometry().size() - history->size();
    const QWidget* clearProposal = button(QStringLiteral("Command1"));
    EXPECT_EQ(
        history->frameGeometry(),
        keptClearOf(besideMainWindow(m_window->frameGeometry(), history->sizeHint() + frameMargins,
                                     m_window->screen()->availableGeometry(),
                                     HistoryWindow::kNarrowestWidth),
                    QRect(clearProposal->mapToGlobal(QPoint(0, 0)), clearProposal->size())));

    QTest::keyClick(history, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(propal()->toPlainText(), QStringLiteral("LA CHAT MORT"));
    EXPECT_EQ(soluce()->toPlainText(), QStringLiteral("L* CHAT *ORT"));
    history->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(history));
    QTest::keyClick(history, Qt::Key_Z, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(soluce()->toPlainText(), QStringLiteral("** **** ****"));

    generate(QStringLiteral("le chien"));
    auto* conflict = topLevel("form_message");
    ASSERT_TRUE(QTest::qWaitForWindowActive(conflict));
    QTest::keyClick(conflict, Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(m_game->isModified());
}

// Ctrl+S and Ctrl+Q reach the game from the history and the preview windows, where the focus is.
TEST_F(TurnHistoryWindowTest, SaveAndQuitKeysWorkFromTheHistoryAndPreviewWindows)
{
    for (const auto& [item, window] :
         {std::pair{"mnu_historique", "form_historique"}, std::pair{"mnu_apercu", "form_apercu"}}) {
        SCOPED_TRACE(item);
        typeInto(propal(), QStringLiteral("la chat"));
        trigger(item);
        QWidget* second = topLevel(window);
        second->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(second));
        const auto press = [&](Qt::Key key) {
            QWidget* focus = QApplication::focusWidget();
            QTest::keyClick(focus && focus->window() == second ? focus : second, key,
                            Qt::ControlModifier);
        };
        press(Qt::Key_S);
        EXPECT_FALSE(m_game->isModified());

        typeInto(propal(), QStringLiteral(" mort"));
        second->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(second));
        m_sink.yes = false;
        m_sink.shown.clear();
        press(Qt::Key_Q);
        ASSERT_EQ(m_sink.shown.size(), 1u);
        EXPECT_TRUE(m_sink.shown[0].text.startsWith(
            QStringLiteral("Vos données n'ont pas été enregistrées.")));
        second->close();
    }
}
