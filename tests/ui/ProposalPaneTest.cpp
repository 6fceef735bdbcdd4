// The proposal pane by itself: a right press on the empty pane pastes the clipboard's plain text
// and the pane opens no context menu, a left press pastes nothing; whatever line breaks the
// clipboard holds, a right press and Ctrl+V give the game the lines the pane shows; "Effacer
// texte ci-dessus" empties the pane and gives it the focus.
#include "UiFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>

using ProposalPaneTest = UiFixture;

TEST_F(ProposalPaneTest, ARightPressOnTheEmptyPanePastesAndNoMenuOpens)
{
    QGuiApplication::clipboard()->setText(QStringLiteral("BONJOUR"));
    QTest::mouseClick(propal()->viewport(), Qt::LeftButton);
    EXPECT_EQ(propal()->toPlainText(), QString());

    QTest::mousePress(propal()->viewport(), Qt::RightButton);
    QTest::mouseRelease(propal()->viewport(), Qt::RightButton);
    EXPECT_EQ(propal()->toPlainText(), QStringLiteral("BONJOUR"));
    EXPECT_EQ(m_game->session().propal, QStringLiteral("BONJOUR"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("BONJOUR"));

    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), QPoint(5, 5));
    QApplication::sendEvent(propal()->viewport(), &event);
    for (QWidget* widget : QApplication::topLevelWidgets())
        EXPECT_FALSE(qobject_cast<QMenu*>(widget) && widget->isVisible());
}

TEST_F(ProposalPaneTest, EitherPasteGivesTheGameTheLinesThePaneShows)
{
    const QString breaks[] = {QStringLiteral("\r\n"), QStringLiteral("\r"), QStringLiteral("\n"),
                              QString(QChar(0x2028)), QString(QChar(0x2029))};
    for (const QString& lineBreak : breaks) {
        SCOPED_TRACE(QString::number(lineBreak.at(0).unicode(), 16).toStdString());
        QGuiApplication::clipboard()->setText(QStringLiteral("un") + lineBreak +
                                              QStringLiteral("deux"));

        clickButton(QStringLiteral("Command1"));
        QTest::keyClick(propal(), Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(propal()->toPlainText(), QStringLiteral("un\ndeux"));
        EXPECT_EQ(m_game->session().propal, QStringLiteral("un\r\ndeux"));

        clickButton(QStringLiteral("Command1"));
        QTest::mousePress(propal()->viewport(), Qt::RightButton);
        QTest::mouseRelease(propal()->viewport(), Qt::RightButton);
        EXPECT_EQ(propal()->toPlainText(), QStringLiteral("un\ndeux"));
        EXPECT_EQ(m_game->session().propal, QStringLiteral("un\r\ndeux"));
    }
}

TEST_F(ProposalPaneTest, ClearButtonEmptiesAndFocusesThePane)
{
    typeInto(propal(), QStringLiteral("texte"));
    click(ref());
    clickButton(QStringLiteral("Command1"));
    EXPECT_EQ(propal()->toPlainText(), QString());
    EXPECT_EQ(m_game->session().propal, QString());
    EXPECT_TRUE(propal()->hasFocus());
}
