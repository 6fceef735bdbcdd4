// Loaded into the real program by the tests and the install checks (LD_PRELOAD), never shipped:
// every modal message box is answered with its default button shortly after it opens, and its
// text is written to standard error, so that a run without a user ends instead of waiting.
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <cstdio>

namespace {

void answerBoxes()
{
    auto* timer = new QTimer(QCoreApplication::instance());
    QObject::connect(timer, &QTimer::timeout, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        std::fprintf(stderr, "%s\n", box->text().toUtf8().constData());
        std::fflush(stderr);
        if (QPushButton* button = box->defaultButton())
            button->click();
        else
            box->reject();
    });
    timer->start(50);
}

} // namespace

// Runs once the program has made its application object.
Q_COREAPP_STARTUP_FUNCTION(answerBoxes)
