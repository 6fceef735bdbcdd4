// Plays a short thread of two puzzles in the real window and saves pictures of the main window
// after a turn, of the conflict dialog, of the history window with the thread's puzzles and the
// players' ranking, and, when it plays on a store file, of the preview of the second puzzle's win
// with the rankings: ui_screenshots <folder> [store]. Run it under xvfb-run; the store file is
// changed.
#include "Form1.h"
#include "GameController.h"
#include "StoreLocation.h"

#include <QAction>
#include <QFileInfo>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
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

void play(Form1& window, const QString& proposal, const QString& player = {})
{
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    typeText(window.findChild<QTextEdit*>(QStringLiteral("propal")), proposal);
    auto* joueur = window.findChild<QComboBox*>(QStringLiteral("joueur"));
    QTest::mouseClick(joueur, Qt::LeftButton);
    joueur->lineEdit()->selectAll();
    typeText(joueur->lineEdit(), player);
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("Générer")), Qt::LeftButton);
}

// One of the program's windows other than the main one, by its objectName.
QDialog* programWindow(const char* name)
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == QLatin1String(name))
            return qobject_cast<QDialog*>(widget);
    return nullptr;
}

// Waits for the dialog to show and saves its picture; false when either fails.
bool grabDialog(QDialog* dialog, const QString& file)
{
    if (!dialog || !QTest::qWaitForWindowExposed(dialog))
        return false;
    QTest::qWait(200);
    return dialog->grab().save(file);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Plimo"));
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");

    GameController game;
    Form1 window(game);
    if (argc > 2 && !window.startUp(StoreLocationInputs{
                         {QStringLiteral("plimo"), QFileInfo(QString::fromLocal8Bit(argv[2])).absoluteFilePath()}, {}, {}, {}, {}, {}}))
        return 7;
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        return 1;

    auto* ref = window.findChild<QPlainTextEdit*>(QStringLiteral("ref"));
    QTest::mouseClick(ref->viewport(), Qt::LeftButton);
    window.findChild<QAction*>(QStringLiteral("menu_delete"))->trigger();
    typeText(ref, QStringLiteral("le petit chat est mort, dit agnès à l'été."));
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("init")), Qt::LeftButton);
    play(window, QStringLiteral("le petit chou est sort, fit agnès à l'île."),
         QStringLiteral("Agnès"));
    QTest::qWait(200);
    if (!window.grab().save(folder + QStringLiteral("/main-window.png")))
        return 2;

    play(window, QStringLiteral("le petitchat est mort"), QStringLiteral("Bob"));
    QDialog* conflict = programWindow("form_message");
    if (!grabDialog(conflict, folder + QStringLiteral("/conflict-dialog.png")))
        return 3;
    conflict->close();
    // The main window takes input again once the dialog's closing has gone through.
    QTest::qWait(200);

    play(window, QStringLiteral("la petit chat est mort, dit agnes a l'ete."),
         QStringLiteral("Bob"));
    play(window, QStringLiteral("le petit chat est mort, dit agnès à l'été."),
         QStringLiteral("agnès"));
    // The thread's second puzzle, won by Bob.
    QTest::mouseClick(ref->viewport(), Qt::LeftButton);
    QTest::keyClick(ref, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(ref, Qt::Key_Delete);
    typeText(ref, QStringLiteral("un vieux chien dort au soleil."));
    QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("init")), Qt::LeftButton);
    play(window, QStringLiteral("un vieil chien mord au sommet."), QStringLiteral("Carole"));
    play(window, QStringLiteral("un vieux chien dort au soleil."), QStringLiteral("Bob"));
    window.findChild<QAction*>(QStringLiteral("mnu_historique"))->trigger();
    if (!grabDialog(programWindow("form_historique"),
                    folder + QStringLiteral("/history-window.png")))
        return 5;
    if (argc <= 2)
        return 0;

    // The ranking in the post is the game's option, stored with it.
    window.findChild<QAction*>(QStringLiteral("mnu_classement"))->trigger();
    window.findChild<QAction*>(QStringLiteral("mnu_apercu"))->trigger();
    if (!grabDialog(programWindow("form_apercu"), folder + QStringLiteral("/post-preview.png")))
        return 8;
    return 0;
}
