// A second window opens beside the main window: on its right where the screen has room, else on
// its left, else on the side with more room, always on the screen and level with its top.
#include "WindowPlacement.h"

#include <gtest/gtest.h>

namespace {

const QRect kScreen(0, 0, 1920, 1080);
const QSize kHistory(600, 400);

struct PlacementCase {
    const char* name;
    QRect mainFrame;
    QSize frame;
    QRect screen;
    QPoint expected;
};

const PlacementCase kCases[] = {
    {"RoomOnTheRight", {13, 13, 1050, 702}, kHistory, kScreen, {1063, 13}},
    {"RoomOnTheLeftOnly", {800, 13, 1050, 702}, kHistory, kScreen, {200, 13}},
    {"NeitherSideMoreOnTheRight", {13, 13, 1050, 702}, kHistory, {0, 0, 1280, 1024}, {680, 13}},
    {"NeitherSideMoreOnTheLeft", {200, 13, 1050, 702}, kHistory, {0, 0, 1280, 1024}, {0, 13}},
    {"KeptAboveTheScreensBottom", {13, 900, 1050, 702}, kHistory, kScreen, {1063, 680}},
    {"SecondScreen", {1933, 13, 1050, 702}, kHistory, {1920, 0, 1920, 1080}, {2983, 13}},
    {"WiderThanTheScreen", {13, 13, 1050, 702}, {2000, 400}, kScreen, {0, 13}},
};

class WindowPlacementTest : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(WindowPlacementTest, BesideTheMainWindow)
{
    const PlacementCase& c = GetParam();
    EXPECT_EQ(besideMainWindow(c.mainFrame, c.frame, c.screen), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Screens, WindowPlacementTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
