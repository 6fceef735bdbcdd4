// Appearance rules without the window: what each menu item chooses, how a stored look
// lies over the design-time one, how chosen sizes round, how stored colours map, and that
// formatting the proposal covers every character and the insertion point without touching its
// text.
#include "AppearanceItems.h"
#include "PaneFormatting.h"
#include "PaneStyle.h"
#include "StoredColour.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

#include <gtest/gtest.h>

namespace {

const AppearanceItem& item(const char* name)
{
    for (const AppearanceItem& candidate : appearanceItems())
        if (QString::fromUtf8(candidate.objectName) == QString::fromUtf8(name))
            return candidate;
    throw std::invalid_argument(name);
}

TEST(AppearanceItems, EachItemChoosesItsPanesProperty)
{
    using P = PaneProperty;
    const struct {
        const char* item;
        Pane pane;
        PaneProperty property;
    } cases[] = {
        {"mnu_fond_ref", Pane::Ref, P::Background},
        {"mnu_fond_trouvé", Pane::Soluce, P::Background},
        {"mnu_fond_propal", Pane::Propal, P::Background},
        {"mnu_fond_lettres", Pane::Lettres, P::Background},
        {"mnu_police_ref", Pane::Ref, P::TextColour},
        {"mnu_police_trouvé", Pane::Soluce, P::TextColour},
        {"mnu_police_propal", Pane::Propal, P::TextColour},
        {"mnu_police_lettres", Pane::Lettres, P::TextColour},
        {"mnu_font_ref", Pane::Ref, P::Font},
        {"mnu_font_soluce", Pane::Soluce, P::Font},
        {"mnu_font_propal", Pane::Propal, P::Font},
        {"mnu_font_lettres", Pane::Lettres, P::Font},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(item(c.item).pane, c.pane) << c.item;
        EXPECT_EQ(item(c.item).property, c.property) << c.item;
    }
    EXPECT_EQ(std::size(cases), appearanceItems().size());
}

TEST(PaneStyle, StoredAttributesReplaceTheDesignOnesAndAbsentOnesLeaveThem)
{
    const PaneStyle design = designLook(Pane::Ref);
    StoredPaneLook partial;
    partial.text = 0x000000FF;
    partial.font.size = 10.0;
    partial.font.italic = true;
    PaneStyle partialResult = design;
    partialResult.text = 0x000000FF;
    partialResult.font.size = 10.0;
    partialResult.font.italic = true;
    const StoredPaneLook whole{
        0x00112233, 0x00445566, {QStringLiteral("Arial"), 20.0, true, false}};
    const PaneStyle wholeResult{
        0x00112233, 0x00445566, {QStringLiteral("Arial"), 20.0, true, false}};

    const struct {
        const char* name;
        StoredPaneLook look;
        PaneStyle expected;
    } cases[] = {
        {"nothing stored", StoredPaneLook{}, design},
        {"some attributes", partial, partialResult},
        {"every attribute", whole, wholeResult},
    };
    for (const auto& c : cases)
        EXPECT_EQ(lookOver(design, c.look), c.expected) << c.name;
}

TEST(FontChoice, PointSizesRoundHalfToEven)
{
    const std::pair<double, int> cases[] = {{14.25, 14}, {10.5, 10}, {11.5, 12}, {12.5, 12},
                                            {9.75, 10},  {8.0, 8},   {13.5, 14}};
    for (const auto& [size, expected] : cases)
        EXPECT_EQ(roundPointSize(size), expected) << size;
}

TEST(FontChoice, KeepsTheRequestedFamilyWhenTheChooserShowedItsSubstitute)
{
    QFont initial(QStringLiteral("Courier New"));
    initial.setPointSizeF(14.25);
    QFont chosen(QFontInfo(initial).family()); // what the chooser preselects
    chosen.setPointSizeF(10.5);
    chosen.setBold(true);

    const FontChoice choice = fontChoice(chosen, initial);
    EXPECT_EQ(choice.name, QStringLiteral("Courier New"));
    EXPECT_EQ(choice.size, 10);
    EXPECT_TRUE(choice.bold);
    EXPECT_FALSE(choice.italic);

    QFont other(QStringLiteral("DejaVu Serif"));
    if (QFontInfo(other).family() != QFontInfo(initial).family())
        EXPECT_EQ(fontChoice(other, initial).name, QStringLiteral("DejaVu Serif"));
}

// A chooser lists installed families only; it must be opened on one of them, at the pane's
// size and style, whether the requested family is installed or stands in for another.
TEST(FontChoice, ChooserOpensOnAnInstalledFamilyAtTheRequestedSizeAndStyle)
{
    const QStringList installed = QFontDatabase::families();
    const struct {
        const char* family;
        double size;
        bool bold;
        bool italic;
    } cases[] = {{"Courier New", 14.25, false, false},
                 {"Courier New", 10.5, true, true},
                 {"No Such Family", 12, false, true},
                 {"DejaVu Serif", 9, true, false}};
    for (const auto& c : cases) {
        QFont requested(QString::fromLatin1(c.family));
        requested.setPointSizeF(c.size);
        requested.setBold(c.bold);
        requested.setItalic(c.italic);
        const QFont shown = shownFont(requested);
        EXPECT_TRUE(installed.contains(shown.family()))
            << c.family << " -> " << shown.family().toStdString();
        EXPECT_EQ(shown.family(), QFontInfo(requested).family()) << c.family;
        EXPECT_EQ(shown.pointSizeF(), c.size) << c.family;
        EXPECT_EQ(shown.bold(), c.bold) << c.family;
        EXPECT_EQ(shown.italic(), c.italic) << c.family;
        // What the chooser gives back unchanged names the requested family again.
        EXPECT_EQ(chosenFamily(shown, requested), QString::fromLatin1(c.family)) << c.family;
    }
}

TEST(StoredColour, OrdinaryColoursAreRedInTheLowestByte)
{
    const QPalette palette;
    EXPECT_EQ(colourFromStored(0x000000FF, palette), QColor(255, 0, 0));
    EXPECT_EQ(colourFromStored(0x00C0FFFF, palette), QColor(255, 255, 192));
    EXPECT_EQ(colourFromStored(0x00FFFFC0, palette), QColor(192, 255, 255));
    EXPECT_EQ(storedFromColour(QColor(255, 0, 0)), 255);
    EXPECT_EQ(storedFromColour(QColor(0x12, 0x34, 0x56)), 0x00563412);
    EXPECT_EQ(storedFromColour(QColor(192, 255, 192, 10)), 0x00C0FFC0) << "alpha is dropped";
}

TEST(StoredColour, TopBitNamesASystemColourOfThePalette)
{
    QPalette palette;
    palette.setColor(QPalette::Base, QColor(1, 2, 3));
    palette.setColor(QPalette::WindowText, QColor(4, 5, 6));
    // Stored as the negative 32-bit value.
    EXPECT_EQ(colourFromStored(static_cast<StoredColour>(0x80000005u), palette), QColor(1, 2, 3));
    EXPECT_EQ(colourFromStored(-2147483640, palette), QColor(4, 5, 6)); // 0x80000008
}

class ProposalFormatting : public ::testing::Test {
  protected:
    void SetUp() override { edit.setPlainText(QStringLiteral("LE CHAT")); }

    QTextCharFormat formatAt(int position)
    {
        QTextCursor cursor(edit.document());
        cursor.setPosition(position);
        cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
        return cursor.charFormat();
    }

    QTextEdit edit;
};

TEST_F(ProposalFormatting, ColourCoversEveryCharacterAndTheInsertionPoint)
{
    QSignalSpy changes(edit.document(), &QTextDocument::contentsChange);
    applyTextColour(&edit, Qt::red);

    EXPECT_EQ(edit.toPlainText(), QStringLiteral("LE CHAT"));
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(formatAt(i).foreground().color(), QColor(Qt::red)) << i;
    EXPECT_EQ(edit.textCursor().position(), 7);
    EXPECT_FALSE(edit.textCursor().hasSelection());
    EXPECT_LE(changes.size(), 2) << "one merge, not one change per character";

    edit.textCursor().insertText(QStringLiteral("S"));
    EXPECT_EQ(formatAt(7).foreground().color(), QColor(Qt::red));
}

TEST_F(ProposalFormatting, FontCoversEveryCharacter)
{
    QFont font(QStringLiteral("Courier New"));
    font.setPointSize(18);
    font.setItalic(true);
    applyFont(&edit, font);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(formatAt(i).fontPointSize(), 18.0) << i;
        EXPECT_TRUE(formatAt(i).fontItalic()) << i;
        EXPECT_EQ(formatAt(i).fontFamilies().toStringList(), QStringList{"Courier New"});
    }
}

TEST_F(ProposalFormatting, AnEmptyPaneGivesTheFormatToWhatIsTypedNext)
{
    edit.clear();
    applyTextColour(&edit, QColor(0, 0, 255));
    edit.setFocus();
    QTest::keyClicks(&edit, QStringLiteral("AB"));
    EXPECT_EQ(edit.toPlainText(), QStringLiteral("AB"));
    EXPECT_EQ(formatAt(0).foreground().color(), QColor(0, 0, 255));
    EXPECT_EQ(formatAt(1).foreground().color(), QColor(0, 0, 255));
}

// A look applied to a pane on screen, as after the appearance menu or a change of game: the
// pane still draws its text, not only holds it.
TEST_F(ProposalFormatting, AShownPaneStillDrawsItsText)
{
    applyBackground(&edit, Qt::white);
    edit.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&edit));
    for (const QColor& colour : {QColor(Qt::black), QColor(Qt::darkBlue)}) {
        applyTextColour(&edit, colour);
        applyFont(&edit, edit.font());
        const QImage drawn = edit.viewport()->grab().toImage();
        int inked = 0;
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x)
                inked += qGray(drawn.pixel(x, y)) < 128;
        EXPECT_GT(inked, 20) << qPrintable(colour.name());
    }
}

TEST(PlainPanes, TakeColoursAndFontAsAWhole)
{
    QPlainTextEdit pane;
    applyBackground(&pane, QColor(1, 2, 3));
    applyTextColour(&pane, QColor(4, 5, 6));
    applyFont(&pane, QFont(QStringLiteral("Courier New"), 20));
    EXPECT_EQ(pane.palette().color(QPalette::Base), QColor(1, 2, 3));
    EXPECT_EQ(pane.palette().color(QPalette::Text), QColor(4, 5, 6));
    EXPECT_EQ(pane.font().pointSize(), 20);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
