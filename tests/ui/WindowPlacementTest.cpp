// A second window opens beside the main window: on its right where the screen has room, else on
// its left, else on the side with more room, always on the screen and level with its top.
#include "WindowPlacement.h"

#include <gtest/gtest.h>

TEST(WindowPlacement, BesideTheMainWindowWhereTheScreenHasRoom)
{
    const QRect wide(0, 0, 1920, 1080);
    const QRect narrow(0, 0, 1280, 1024);
    const struct {
        const char* name;
        QRect mainFrame;
        QRect screen;
        QPoint expected;
    } cases[] = {
        {"RoomOnTheRight", {13, 13, 1050, 702}, wide, {1063, 13}},
        {"RoomOnTheLeftOnly", {800, 13, 1050, 702}, wide, {200, 13}},
        {"NeitherSideMoreOnTheRight", {13, 13, 1050, 702}, narrow, {680, 13}},
        {"NeitherSideMoreOnTheLeft", {200, 900, 1050, 702}, narrow, {0, 624}},
        {"SecondScreen", {1933, 13, 1050, 702}, {1920, 0, 1920, 1080}, {2983, 13}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(besideMainWindow(c.mainFrame, QSize(600, 400), c.screen), c.expected) << c.name;
}
