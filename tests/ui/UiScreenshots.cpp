// Plays a short game in the real window and saves pictures of the main window after a turn, of
// the conflict dialog and of the history window: ui_screenshots <folder>. Run it under xvfb-run.
#include "Form1.h"
#include "GameController.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

namespace {

void typeText(QWidget* target, const QString& text)
{
    for (QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(target, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void play(Form1& window, const QString& proposal)
{
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    typeText(window.findChild<QTextEdit*>(QStringLiteral("propal")), proposal);
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("Générer")), Qt::LeftButton);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Plimo"));
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");

    GameController game;
    Form1 window(game);
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        return 1;

    auto* ref = window.findChild<QPlainTextEdit*>(QStringLiteral("ref"));
    QTest::mouseClick(ref->viewport(), Qt::LeftButton);
    typeText(ref, QStringLiteral("le petit chat est mort, dit agnès à l'été."));
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("init")), Qt::LeftButton);
    play(window, QStringLiteral("le petit chou est sort, fit agnès à l'île."));
    QTest::qWait(200);
    if (!window.grab().save(folder + QStringLiteral("/main-window.png")))
        return 2;

    play(window, QStringLiteral("le petitchat est mort"));
    auto* dialog = window.conflictDialog();
    if (!dialog || !QTest::qWaitForWindowExposed(dialog))
        return 3;
    QTest::qWait(200);
    if (!dialog->grab().save(folder + QStringLiteral("/conflict-dialog.png")))
        return 4;
    dialog->close();

    play(window, QStringLiteral("la petit chat est mort, dit agnes a l'ete."));
    play(window, QStringLiteral("le petit chat est fort, dit agnès à l'été."));
    window.findChild<QAction*>(QStringLiteral("mnu_historique"))->trigger();
    QDialog* history = window.historyWindow();
    if (!history || !QTest::qWaitForWindowExposed(history))
        return 5;
    QTest::qWait(200);
    if (!history->grab().save(folder + QStringLiteral("/history-window.png")))
        return 6;
    return 0;
}
