// Set-up and helpers shared by the window tests.
#include "UiFixture.h"

#include <QApplication>
#include <QTest>
#include <QTextCursor>

void UiFixture::makeWindow()
{
    m_window.reset();
    m_game = std::make_unique<GameController>();
    m_engine = &GameControllerProbe::engine(*m_game);
    m_window = std::make_unique<Form1>(*m_game);
    m_window->setMessageSink(&m_sink);
}

void UiFixture::SetUp()
{
    makeWindow();
    m_window->show();
    m_window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
}

void UiFixture::TearDown()
{
    // A window left open would keep the activation from the next test's window.
    for (QWidget* widget : QApplication::topLevelWidgets())
        widget->close();
    m_window.reset();
    QApplication::processEvents();
}

QTextCharFormat UiFixture::proposalFormatAt(int index) const
{
    QTextCursor cursor(propal()->document());
    cursor.setPosition(index + 1);
    return cursor.charFormat();
}

void UiFixture::click(QWidget* widget)
{
    auto* area = qobject_cast<QAbstractScrollArea*>(widget);
    QTest::mouseClick(area ? area->viewport() : widget, Qt::LeftButton);
}

void UiFixture::typeInto(QWidget* pane, const QString& text)
{
    click(pane);
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target, Qt::Key_End, Qt::ControlModifier);
    for (QChar c : text) {
        if (c == u'\n')
            QTest::keyClick(target, Qt::Key_Return);
        else if (c.unicode() < 0x80)
            QTest::keyClick(target, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void UiFixture::initialise(const QString& reference)
{
    typeInto(ref(), reference);
    clickButton(QStringLiteral("init"));
}

void UiFixture::generate(const QString& proposal)
{
    clickButton(QStringLiteral("Command1"));
    typeInto(propal(), proposal);
    clickButton(QStringLiteral("Générer"));
}
