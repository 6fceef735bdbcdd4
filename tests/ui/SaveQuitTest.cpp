// "Enregistrer", "Effacer les données de la page" and leaving on a started window: the button
// shows why a save fails and the window keeps what it shows; the menu item empties the page and
// puts the cursor in the reference; «Quitter» (button, menu item, Ctrl+Q) and the window's frame
// each leave the game their own way, showing what the game asks and doing as answered; a recovery
// copy that cannot be written is said.
#include "RecoveryStore.h"
#include "UiFixture.h"

#include <QApplication>
#include <QDir>
#include <QFile>

namespace {

const QString kQuestion = QStringLiteral(
    "Vos données n'ont pas été enregistrées.\rVoulez-vous quand même quitter le programme ?");
const QString kNoReferenceToQuit = QStringLiteral(
    "Vus ne pouvez pas quitter le programme sans avoir au moins renseigné le texte de référence");

using SaveQuitTest = UiFixture;

TEST_F(SaveQuitTest, RecordShowsWhyASaveFailsAndTheWindowKeepsWhatItShows)
{
    clickButton(QStringLiteral("record"));
    ASSERT_EQ(m_sink.shown.size(), 1u);
    EXPECT_EQ(m_sink.shown[0].text, messages::kNoReference);
    EXPECT_EQ(m_sink.shown[0].icon, MessageIcon::Critical);

    // A file the program may only read.
    ASSERT_TRUE(QFile::setPermissions(m_path, QFileDevice::ReadOwner));
    const PermissionsBind bind;
    ASSERT_TRUE(startWindow());
    typeInto(ref(), QStringLiteral("le chat"));
    click(propal());
    const QStringList before = shown();
    clickButton(QStringLiteral("record"));
    ASSERT_EQ(m_sink.shown.size(), 1u);
    EXPECT_EQ(m_sink.shown[0].icon, MessageIcon::Critical);
    EXPECT_TRUE(m_sink.shown[0].text.contains(QDir::toNativeSeparators(m_path)))
        << qPrintable(m_sink.shown[0].text);
    EXPECT_EQ(shown(), before);
    EXPECT_TRUE(m_game->isModified());
    EXPECT_TRUE(m_window->isVisible());
}

// A recovery copy that cannot be written, in a folder made read-only, is said in the window.
TEST_F(SaveQuitTest, ACopyThatCannotBeWrittenIsSaid)
{
    ASSERT_TRUE(startOnSample());
    {
        const PermissionsBind bind;
        ASSERT_TRUE(
            QFile::setPermissions(m_dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        clickButton(QStringLiteral("Command1"));
        QFile::setPermissions(m_dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                QFileDevice::ExeOwner);
    }
    ASSERT_EQ(m_sink.shown.size(), 1u);
    EXPECT_EQ(m_sink.shown[0].icon, MessageIcon::Warning);
    EXPECT_TRUE(
        m_sink.shown[0].text.contains(QDir::toNativeSeparators(RecoveryStore::fileFor(m_path))))
        << qPrintable(m_sink.shown[0].text);
}

TEST_F(SaveQuitTest, ClearingEmptiesThePageAndPutsTheCursorInTheReference)
{
    ASSERT_TRUE(startOnSample());
    ASSERT_EQ(QApplication::focusWidget(), propal());
    trigger("menu_delete");
    EXPECT_EQ(shown(), (QStringList{"", "", "", "", "0"}));
    EXPECT_EQ(QApplication::focusWidget(), ref());
}

enum class Way { Button, Menu, CtrlQ, Frame };

struct LeaveCase {
    const char* name;
    Way way;
    bool withReference;
    bool typing; // in the proposal, right before leaving
    bool answer;
    const QString* asked; // the box's text, or nullptr
    bool ends;
};

void PrintTo(const LeaveCase& c, std::ostream* out)
{
    *out << c.name;
}

// Without a reference a quit is refused and the frame just closes; with unsaved work both ask,
// Non keeps the window and Oui ends it, keeping the work typed in the recovery copy without a
// word.
const LeaveCase kLeaveCases[] = {
    {"ButtonWithoutAReference", Way::Button, false, false, true, &kNoReferenceToQuit, false},
    {"MenuUnsavedNo", Way::Menu, true, false, false, &kQuestion, false},
    {"CtrlQUnsavedYes", Way::CtrlQ, true, false, true, &kQuestion, true},
    {"ButtonTypingYes", Way::Button, true, true, true, &kQuestion, true},
    {"FrameWithoutAReference", Way::Frame, false, false, true, nullptr, true},
    {"FrameUnsavedNo", Way::Frame, true, false, false, &kQuestion, false},
    {"FrameTypingYes", Way::Frame, true, true, true, &kQuestion, true},
};

class LeaveWayTest : public UiFixture, public ::testing::WithParamInterface<LeaveCase> {
  protected:
    void leave(Way way)
    {
        switch (way) {
        case Way::Button:
            clickButton(QStringLiteral("quit"));
            break;
        case Way::Menu:
            trigger("menu_quit");
            break;
        case Way::CtrlQ:
            QTest::keyClick(propal(), Qt::Key_Q, Qt::ControlModifier);
            break;
        case Way::Frame:
            m_window->close();
            break;
        }
    }
};

TEST_P(LeaveWayTest, ShowsWhatTheGameAsksAndDoesAsAnswered)
{
    const LeaveCase& c = GetParam();
    if (c.withReference)
        typeInto(ref(), QStringLiteral("le chat"));
    click(propal());
    if (c.typing)
        QTest::keyClicks(propal(), QStringLiteral("la char"));
    m_sink.yes = c.answer;
    if (c.ends && c.way != Way::Frame) {
        // The quit stops the application's event loop: run it inside one, so that the stop ends
        // this loop and leaves none pending for the boxes of later tests.
        QTimer::singleShot(0, m_window.get(), [this, &c] { leave(c.way); });
        EXPECT_EQ(QCoreApplication::exec(), 0);
    } else {
        leave(c.way);
    }
    ASSERT_EQ(m_sink.shown.size(), c.asked ? 1u : 0u);
    if (c.asked)
        EXPECT_EQ(m_sink.shown[0].text, *c.asked);
    EXPECT_EQ(m_window->isVisible(), !c.ends);
    if (c.typing)
        EXPECT_EQ(fileMode(RecoveryStore::fileFor(m_path)), 0600);
}

INSTANTIATE_TEST_SUITE_P(Ways, LeaveWayTest, ::testing::ValuesIn(kLeaveCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
