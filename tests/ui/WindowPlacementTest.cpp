// A second window opens beside the main window: on its right where the screen has room, else on
// its left; narrowed to the wider side's room where neither side has room for it all, unless
// that would make it too narrow; always on the screen and level with its top. Where no side has
// room, it opens below the main window, or over it ending above its buttons and counts. Where the
// compositor centres it over the main window (Wayland), it is made low enough to end above them.
#include "WindowPlacement.h"

#include <gtest/gtest.h>

TEST(WindowPlacement, BesideTheMainWindowWhereTheScreenHasRoom)
{
    const QRect wide(0, 0, 1920, 1080);
    const QRect narrow(0, 0, 1280, 1024);
    const QRect laptop(0, 0, 1600, 900);
    const int narrowest = 300;
    const struct {
        const char* name;
        QRect mainFrame;
        QRect screen;
        QRect expected;
    } cases[] = {
        {"RoomOnTheRight", {13, 13, 1050, 702}, wide, {1063, 13, 600, 400}},
        {"RoomOnTheLeftOnly", {800, 13, 1050, 702}, wide, {200, 13, 600, 400}},
        {"FitsExactlyOnTheRight", {700, 13, 620, 702}, wide, {1320, 13, 600, 400}},
        {"NarrowedToTheRoomOnTheRight", {13, 13, 1050, 702}, laptop, {1063, 13, 537, 400}},
        {"NarrowedToTheRoomOnTheLeft", {537, 13, 1050, 702}, laptop, {0, 13, 537, 400}},
        {"NarrowestFitsExactly", {13, 13, 1287, 702}, laptop, {1300, 13, 300, 400}},
        {"TooNarrowMoreOnTheRight", {13, 13, 1050, 702}, narrow, {680, 13, 600, 400}},
        {"TooNarrowMoreOnTheLeft", {200, 900, 1050, 702}, narrow, {0, 624, 600, 400}},
        {"SecondScreen", {1933, 13, 1050, 702}, {1920, 0, 1920, 1080}, {2983, 13, 600, 400}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(besideMainWindow(c.mainFrame, QSize(600, 400), c.screen, narrowest), c.expected)
            << c.name;
}

// The main window opens whole on the screen area, whatever the frame the window manager gives it.
TEST(WindowPlacement, TheMainWindowOpensWholeOnTheScreen)
{
    const QRect screen(0, 30, 1600, 870);
    const struct {
        const char* name;
        QSize frame;
        QRect expected;
    } cases[] = {
        {"RoomEnough", {1050, 727}, {13, 43, 1050, 727}},
        {"TallerThanTheRoomBelowTheOffset", {1050, 865}, {13, 35, 1050, 865}},
        {"TallerThanTheScreen", {1050, 895}, {13, 30, 1050, 870}},
        {"OnTheRightEdge", {1590, 727}, {10, 43, 1590, 727}},
        {"WiderThanTheScreen", {1700, 727}, {13, 43, 1700, 727}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(mainWindowFrame(c.frame, screen, 13), c.expected) << c.name;
}

// Where no side has room: below the main window as tall as the room there lets it be, or, over
// the main window, ending above its buttons and counts.
TEST(WindowPlacement, ClearOfTheButtonsAndCountsWhereNoSideHasRoom)
{
    const QRect main(13, 13, 1050, 702);
    const QRect screen(0, 0, 1920, 1080);
    EXPECT_EQ(belowMainWindow(main, QSize(600, 400), screen), QRect(13, 715, 600, 365));
    EXPECT_EQ(belowMainWindow(QRect(1500, 13, 1050, 702), QSize(600, 400), screen),
              QRect(1320, 715, 600, 365))
        << "kept on the screen";
    EXPECT_EQ(belowMainWindow(QRect(13, 13, 1050, 1067), QSize(600, 400), screen).height(), 0);

    const QRect controls(21, 500, 1030, 200);
    EXPECT_EQ(keptClearOf(QRect(13, 13, 600, 700), controls), QRect(13, 13, 600, 487));
    EXPECT_EQ(keptClearOf(QRect(1100, 13, 600, 800), controls), QRect(1100, 13, 600, 800))
        << "beside, nothing to clear";
}

// The compositor centres the window over the main window, whose frame is 1050 × 727 with a 27-pixel
// title bar: the window is made no wider than the main window, and low enough that its frame ends
// above the buttons and counts, down to its lowest height.
TEST(WindowPlacement, CentredOverTheMainWindowItEndsAboveTheButtonsAndCounts)
{
    const QRect main(13, 13, 1050, 727);
    const QSize decoration(0, 27);
    const struct {
        const char* name;
        QSize size;
        int controlsTop;
        QSize expected;
    } cases[] = {
        {"RoomEnough", {640, 420}, 713, {640, 420}},
        {"LowEnoughToEndAboveTheControls", {640, 420}, 573, {640, 366}},
        {"NeverLowerThanItsLowest", {640, 420}, 313, {640, 200}},
        {"NoWiderThanTheMainWindow", {1200, 420}, 713, {1050, 420}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(centredOverMainWindow(main, decoration, c.size, c.controlsTop, 200), c.expected)
            << c.name;
}
