// The window icon that the program sets from its resources is there in every program linking the
// window library, and it is the 16 x 16 icon that the install puts in the icon theme.
#include <QIcon>
#include <QImage>

#include <gtest/gtest.h>

TEST(WindowIcon, ResourceIsTheInstalledSixteenPixelIcon)
{
    const QIcon icon(QStringLiteral(":/icons/plimo.png"));
    ASSERT_FALSE(icon.isNull());
    const QImage shown = icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
    const QImage installed =
        QImage(QStringLiteral(PLIMO_ICON_16)).convertToFormat(QImage::Format_ARGB32);
    ASSERT_FALSE(installed.isNull());
    EXPECT_EQ(shown.size(), QSize(16, 16));
    EXPECT_EQ(shown, installed);
}
