// The preview and the history open where they leave the main window in sight, on a real X
// display narrower than the main window and both of them: the preview beside the main window or
// below it, never over it, and the history after it clear of the buttons and counts.
#include "UiFixture.h"

#include <QScreen>

namespace {

using SecondWindowsTest = UiFixture;

TEST_F(SecondWindowsTest, OpenClearOfTheMainWindowsButtonsAndCounts)
{
    trigger("mnu_apercu");
    QWidget* preview = topLevel("form_apercu");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(preview));
    EXPECT_FALSE(preview->frameGeometry().intersects(m_window->frameGeometry()))
        << "the screen has room below the main window";

    trigger("mnu_historique");
    QWidget* history = topLevel("form_historique");
    ASSERT_TRUE(QTest::qWaitForWindowExposed(history));
    for (const char* name : {"Command1", "lettres_trouvées", "lettres_restantes", "init", "record",
                             "bt_copier", "Générer", "quit"}) {
        const QWidget* control = child<QWidget>(QString::fromUtf8(name));
        const QRect area(control->mapToGlobal(QPoint(0, 0)), control->size());
        EXPECT_FALSE(preview->frameGeometry().intersects(area)) << name;
        EXPECT_FALSE(history->frameGeometry().intersects(area)) << name;
    }
}

} // namespace
