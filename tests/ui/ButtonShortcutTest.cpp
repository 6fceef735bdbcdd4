// The turn loop from the keyboard: Ctrl+Entrée (main or keypad Enter) presses "Générer",
// Ctrl+Maj+C "Copier" and Ctrl+S "Enregistrer", each exactly as a click does: the pane left
// behind tidies its text first, then the action runs, and the focus comes back to the pane so
// that the keyboard loop goes on, after a real box too. Ctrl+Entrée in the proposal pane types no
// line break. The tooltips name the keys; "Initialiser" has none.
#include "UiFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QTest>

namespace {

enum class Press { Click, CtrlReturn, CtrlKeypadEnter };

struct GenerateCase {
    const char* name;
    Press press;
    // The pane the keys are pressed in; the proposal is typed into propal in any case.
    const char* from;
};

void PrintTo(const GenerateCase& c, std::ostream* out)
{
    *out << c.name;
}

const GenerateCase kGenerateCases[] = {
    {"Click", Press::Click, "propal"},
    {"CtrlReturnInTheProposal", Press::CtrlReturn, "propal"},
    {"CtrlKeypadEnterInTheProposal", Press::CtrlKeypadEnter, "propal"},
    {"CtrlReturnInTheReference", Press::CtrlReturn, "ref"},
    {"CtrlKeypadEnterInTheRemainingLetters", Press::CtrlKeypadEnter, "lettres"},
};

class GenerateShortcutTest : public UiFixture,
                             public ::testing::WithParamInterface<GenerateCase> {};

} // namespace

TEST_P(GenerateShortcutTest, ActsAsAClickAndGivesTheFocusBack)
{
    const GenerateCase& c = GetParam();
    initialise(QStringLiteral("LE CHAT DORT"));
    typeInto(propal(), QStringLiteral("le chat dort?"));
    QWidget* pane = child<QWidget>(QString::fromUtf8(c.from));
    if (pane != propal())
        click(pane);
    switch (c.press) {
    case Press::Click:
        clickButton(QStringLiteral("Générer"));
        break;
    case Press::CtrlReturn:
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return, Qt::ControlModifier);
        break;
    case Press::CtrlKeypadEnter:
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter,
                        Qt::ControlModifier | Qt::KeypadModifier);
        break;
    }

    EXPECT_TRUE(m_sink.shown.empty());
    EXPECT_EQ(propal()->toPlainText(), QStringLiteral("LE CHAT DORT"));
    EXPECT_EQ(soluce()->toPlainText(), QStringLiteral("LE CHAT DORT"));
    if (c.press != Press::Click)
        EXPECT_EQ(QApplication::focusWidget(), pane);
}

INSTANTIATE_TEST_SUITE_P(Presses, GenerateShortcutTest, ::testing::ValuesIn(kGenerateCases),
                         [](const auto& info) { return std::string(info.param.name); });

using ButtonShortcutTest = UiFixture;

TEST_F(ButtonShortcutTest, CtrlShiftCCopiesThePostAsTheButtonDoes)
{
    initialise(QStringLiteral("LE CHAT"));
    typeInto(propal(), QStringLiteral("le rat"));
    clickButton(QStringLiteral("Générer"));
    clickButton(QStringLiteral("bt_copier"));
    const QString byClick = QGuiApplication::clipboard()->text();
    ASSERT_FALSE(byClick.isEmpty());
    QGuiApplication::clipboard()->clear();

    click(propal());
    QTest::keyClick(propal(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), byClick);
    EXPECT_TRUE(propal()->hasFocus());
}

TEST_F(ButtonShortcutTest, TooltipsNameTheShortcuts)
{
    const struct {
        const char* button;
        const char* tooltip;
    } cases[] = {
        {"Générer", "Ctrl+Entrée"},
        {"bt_copier", "Ctrl+Maj+C"},
        {"record", "Ctrl+S"},
        {"quit", "Ctrl+Q"},
        {"init", ""},
        {"Command1", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(button(QString::fromUtf8(c.button))->toolTip(), QString::fromUtf8(c.tooltip))
            << c.button;
}

TEST_F(ButtonShortcutTest, CtrlSSavesAsTheButtonDoes)
{
    ASSERT_TRUE(startOnSample());
    typeInto(propal(), QStringLiteral(" rat"));
    QTest::keyClick(propal(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(m_sink.shown.empty());
    EXPECT_FALSE(m_game->isModified());
    EXPECT_EQ(stored(QStringLiteral("SELECT propal FROM \"données\"")).toString(),
              QStringLiteral("LE CHIEN RAT"));
    EXPECT_TRUE(propal()->hasFocus());
}

// With the real box, answered through its own OK button, the focus still comes back to the pane.
TEST_F(ButtonShortcutTest, AfterARealBoxTheFocusComesBack)
{
    ASSERT_TRUE(startWindow(nullptr, &m_choosers));
    typeInto(propal(), QStringLiteral("le chat"));
    QString text;
    onModal<QMessageBox>([&](QMessageBox* box) {
        text = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    QTest::keyClick(propal(), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(text, QStringLiteral("Vous n'avez pas initialisé la liste de proposition !"));
    // The platform gives the activation back to the window once the box has gone.
    EXPECT_EQ(m_window->focusWidget(), propal());
    m_window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    EXPECT_TRUE(propal()->hasFocus());
    EXPECT_EQ(propal()->toPlainText(), QStringLiteral("LE CHAT"));
}
