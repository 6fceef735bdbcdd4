// Set-up and helpers shared by the window tests.
#include "UiFixture.h"

#include "GameFiles.h"
#include "PaneLook.h"

#include <QApplication>
#include <QFile>
#include <QTest>
#include <QTextCursor>

void UiFixture::SetUp()
{
    ASSERT_TRUE(m_dir.isValid());
    m_path = m_dir.filePath(QStringLiteral("plimo.mdb"));
    ASSERT_NO_FATAL_FAILURE(makeGame());
    ASSERT_TRUE(startWindow());
}

void UiFixture::makeGame()
{
    ASSERT_TRUE(createEmptyGame(m_path, designLookFields()));
}

bool UiFixture::startWindow(MessageSink* messages, Choosers* choosers)
{
    endWindow();
    m_sink.shown.clear();
    m_game = std::make_unique<GameController>();
    m_window = std::make_unique<Form1>(*m_game, messages, choosers);
    if (!m_window->startUp(startUpOn(m_path)))
        return false;
    m_window->show();
    m_window->activateWindow();
    return QTest::qWaitForWindowActive(m_window.get());
}

bool UiFixture::startOnSample(const QStringList& changes)
{
    endWindow();
    QFile::remove(m_path);
    makeSampleStore(m_path, changes);
    return startWindow();
}

// A window left open would keep the activation from the next window. Closing the main window
// would ask the leave question: it is destroyed instead.
void UiFixture::endWindow()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget != m_window.get())
            widget->close();
    m_window.reset();
    m_game.reset();
    QApplication::processEvents();
}

QStringList UiFixture::shown() const
{
    return {ref()->toPlainText(), soluce()->toPlainText(), propal()->toPlainText(),
            lettres()->toPlainText(), label(QStringLiteral("lettres_restantes"))};
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
