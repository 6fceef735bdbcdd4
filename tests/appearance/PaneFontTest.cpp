// The found text lines up under the reference text character for character: in the panes' font
// (Courier New, or the metric-compatible face the system substitutes for it), a hidden letter's
// "*" is exactly as wide as every letter of the puzzle alphabet, at the design size and at the
// whole-point size the default store holds.
#include "Alphabet.h"
#include "PaneStyle.h"

#include <QFontInfo>
#include <QFontMetricsF>

#include <gtest/gtest.h>

#include <cmath>

namespace {

QFont paneFont(double pointSize)
{
    QFont font(designLook(Pane::Soluce).font.name);
    font.setPointSizeF(pointSize);
    return font;
}

QString alphabetLine()
{
    QString line;
    for (char16_t letter : alphabet::kLetters)
        line += QChar(letter);
    return line;
}

class PaneFontWidth : public ::testing::TestWithParam<double> {};

TEST_P(PaneFontWidth, StarIsAsWideAsEachLetter)
{
    const QFont font = paneFont(GetParam());
    const QFontMetricsF metrics(font);
    const qreal star = metrics.horizontalAdvance(QStringLiteral("*"));
    ASSERT_GT(star, 0);
    for (char16_t letter : alphabet::kLetters) {
        const QString text(1, QChar(letter));
        EXPECT_EQ(metrics.horizontalAdvance(text), star)
            << qPrintable(text) << " in " << qPrintable(QFontInfo(font).family());
    }
}

TEST_P(PaneFontWidth, LineOfStarsIsAsWideAsTheLetters)
{
    const QFontMetricsF metrics(paneFont(GetParam()));
    const QString letters = alphabetLine();
    EXPECT_EQ(metrics.horizontalAdvance(QString(letters.size(), u'*')),
              metrics.horizontalAdvance(letters));
    EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("L* CHA*, QU'*L D*RT.")),
              metrics.horizontalAdvance(QStringLiteral("LE CHAT, QU'IL DORT.")));
}

INSTANTIATE_TEST_SUITE_P(DesignAndStoredSizes, PaneFontWidth,
                         ::testing::Values(designLook(Pane::Soluce).font.size,
                                           std::nearbyint(designLook(Pane::Soluce).font.size)));

TEST(PaneFont, CourierNewResolvesToAFixedPitchFace)
{
    const QFontInfo info(paneFont(designLook(Pane::Soluce).font.size));
    EXPECT_TRUE(info.fixedPitch()) << qPrintable(info.family());
}

} // namespace
