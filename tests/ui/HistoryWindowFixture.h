// The game the turn history and players window tests play: a window on a new game of its own
// with "LE CHAT DORT" initialised; and the history window's tables as they read.
#pragma once

#include "UiFixture.h"

#include <QAbstractItemModel>
#include <QDialog>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

class HistoryWindowFixture : public UiFixture {
  protected:
    void SetUp() override
    {
        UiFixture::SetUp();
        initialise(QStringLiteral("le chat dort"));
    }

    // The history window, once a menu item has opened it.
    static QDialog* historyWindow() { return topLevel<QDialog>("form_historique"); }
    // A table of the history window: historique or classement.
    static QTableView* historyTable(const char* name)
    {
        return historyWindow()->findChild<QTableView*>(QString::fromUtf8(name));
    }

    // The window a menu item opened: shown, not modal, with its name and title.
    static void expectModeless(const QDialog* window, const char* name, const QString& title)
    {
        ASSERT_NE(window, nullptr) << name;
        EXPECT_EQ(window->objectName(), QString::fromUtf8(name));
        EXPECT_EQ(window->windowTitle(), title);
        EXPECT_TRUE(window->isVisible());
        EXPECT_FALSE(window->isModal());
    }

    // Double-clicks the cell as a user does, a click then a second press; the editor that the
    // second press opened, or nullptr.
    static QLineEdit* doubleClickCell(QTableView* table, const QModelIndex& cell)
    {
        const QPoint centre = table->visualRect(cell).center();
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, centre);
        return table->findChild<QLineEdit*>();
    }
};

// The cells of a table, row by row.
inline QList<QStringList> cells(const QTableView* table)
{
    QList<QStringList> rows;
    const QAbstractItemModel* model = table->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        QStringList line;
        for (int column = 0; column < model->columnCount(); ++column)
            line << model->index(row, column).data().toString();
        rows << line;
    }
    return rows;
}

// One column of a table, top to bottom.
inline QStringList column(const QTableView* table, int column)
{
    QStringList cells;
    for (int row = 0; row < table->model()->rowCount(); ++row)
        cells << table->model()->index(row, column).data().toString();
    return cells;
}
