// Runs the window tests inside one headless QApplication named "Plimo".
#include <QApplication>

#include "ScratchUserFolders.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Test discovery runs this binary outside ctest's environment too.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    const ScratchUserFolders folders;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Plimo"));
    // Many tests close their last window; a quit posted then would end the next test's boxes.
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
