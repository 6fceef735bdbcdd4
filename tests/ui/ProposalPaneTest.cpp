// The proposal pane by itself: a right press on the empty pane pastes the clipboard's plain
// text and opens no menu, "Effacer texte ci-dessus" empties and focuses it, and only changes of
// its plain text (not of formatting) clear the save marker and turn a generation marker "1"
// into "0".
#include "UiFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>

namespace {

struct PasteCase {
    const char* before;
    Qt::MouseButton button;
    const char* after;
};

const PasteCase kPasteCases[] = {
    {"", Qt::RightButton, "BONJOUR"},
    {" ", Qt::RightButton, " "},
    {"salut", Qt::RightButton, "salut"},
    {"", Qt::LeftButton, ""},
};

class RightPasteTest : public UiFixture, public ::testing::WithParamInterface<PasteCase> {};

} // namespace

TEST_P(RightPasteTest, OnlyARightPressOnAnEmptyPanePastes)
{
    propal()->setPlainText(QString::fromUtf8(GetParam().before));
    m_engine->markers().save = QStringLiteral("Y");
    QGuiApplication::clipboard()->setText(QStringLiteral("BONJOUR"));
    QTest::mousePress(propal()->viewport(), GetParam().button);
    QTest::mouseRelease(propal()->viewport(), GetParam().button);
    EXPECT_EQ(propal()->toPlainText(), QString::fromUtf8(GetParam().after));
    const bool pasted = QString::fromUtf8(GetParam().before) != propal()->toPlainText();
    EXPECT_EQ(m_engine->markers().save, pasted ? QString() : QStringLiteral("Y"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("BONJOUR"));
}

INSTANTIATE_TEST_SUITE_P(Presses, RightPasteTest, ::testing::ValuesIn(kPasteCases));

using ProposalPaneTest = UiFixture;

TEST_F(ProposalPaneTest, PastedLinesArriveAsCrLf)
{
    QGuiApplication::clipboard()->setText(QStringLiteral("ligne un\r\nligne deux"));
    QTest::mousePress(propal()->viewport(), Qt::RightButton);
    EXPECT_EQ(m_window->currentGame().propal, QStringLiteral("ligne un\r\nligne deux"));
    click(propal());
    click(ref());
    EXPECT_EQ(propal()->toPlainText(), QStringLiteral("LIGNE UN LIGNE DEUX"));
}

TEST_F(ProposalPaneTest, NoContextMenuOpens)
{
    propal()->setPlainText(QStringLiteral("texte"));
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), QPoint(5, 5));
    QApplication::sendEvent(propal()->viewport(), &event);
    for (QWidget* widget : QApplication::topLevelWidgets())
        EXPECT_FALSE(qobject_cast<QMenu*>(widget) && widget->isVisible());
}

TEST_F(ProposalPaneTest, ClearButtonEmptiesAndFocusesThePane)
{
    typeInto(propal(), QStringLiteral("texte"));
    m_engine->markers().save = QStringLiteral("Y");
    clickButton(QStringLiteral("Command1"));
    EXPECT_EQ(propal()->toPlainText(), QString());
    EXPECT_TRUE(propal()->hasFocus());
    EXPECT_EQ(m_engine->markers().save, QString());
}

TEST_F(ProposalPaneTest, FormattingAloneIsNotAChange)
{
    propal()->setPlainText(QStringLiteral("texte"));
    m_engine->markers().generation = QStringLiteral("1");
    m_engine->markers().save = QStringLiteral("Y");
    QTextCursor cursor(propal()->document());
    cursor.select(QTextCursor::Document);
    QTextCharFormat italic;
    italic.setFontItalic(true);
    cursor.mergeCharFormat(italic);
    EXPECT_EQ(m_engine->markers().generation, QStringLiteral("1"));
    EXPECT_EQ(m_engine->markers().save, QStringLiteral("Y"));

    typeInto(propal(), QStringLiteral("s"));
    EXPECT_EQ(m_engine->markers().generation, QStringLiteral("0"));
    EXPECT_EQ(m_engine->markers().save, QString());
}

// Whatever line breaks the clipboard holds, the game plays the text the pane shows, and a right
// press gives the game the same proposal as Ctrl+V.
TEST_F(ProposalPaneTest, RightPasteAndKeyboardPasteGiveTheGameWhatThePaneShows)
{
    const QString breaks[] = {QStringLiteral("\r\n"), QStringLiteral("\r"), QStringLiteral("\n"),
                              QString(QChar(0x2028)), QString(QChar(0x2029))};
    for (const QString& lineBreak : breaks) {
        const QString text = QStringLiteral("un") + lineBreak + QStringLiteral("deux");
        SCOPED_TRACE(QString::number(lineBreak.at(0).unicode(), 16).toStdString());
        QGuiApplication::clipboard()->setText(text);

        clickButton(QStringLiteral("Command1"));
        QTest::keyClick(propal(), Qt::Key_V, Qt::ControlModifier);
        const QString byKeyboard = m_game->session().propal;
        EXPECT_EQ(byKeyboard, m_window->currentGame().propal);

        clickButton(QStringLiteral("Command1"));
        QTest::mousePress(propal()->viewport(), Qt::RightButton);
        QTest::mouseRelease(propal()->viewport(), Qt::RightButton);
        EXPECT_EQ(m_game->session().propal, m_window->currentGame().propal);
        EXPECT_EQ(m_game->session().propal, byKeyboard);
    }
}
