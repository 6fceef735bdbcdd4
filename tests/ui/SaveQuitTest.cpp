// Saving, clearing the page and the quit guard on a started window: "Enregistrer" refuses an
// empty reference and otherwise writes the game and sets the save marker; a failing write shows
// the database's error and changes nothing; "Effacer les données de la page" empties the game
// without touching the file; "Quitter" (button or menu) refuses without a reference, ends at once
// after a save with the store closed, and otherwise asks; closing the frame asks the same
// question unless there is no reference text or the game is saved.
#include "StoredWindowFixture.h"

#include <QApplication>

#include <tuple>

namespace {

const QString kQuestion = QStringLiteral(
    "Vos données n'ont pas été enregistrées.\rVoulez-vous quand même quitter le programme ?");
const QString kNoReferenceToQuit = QStringLiteral(
    "Vus ne pouvez pas quitter le programme sans avoir au moins renseigné le texte de référence");

class SaveQuitTest : public StoredWindowFixture {
  protected:
    void SetUp() override
    {
        StoredWindowFixture::SetUp();
        makeSampleStore(m_path);
        ASSERT_TRUE(startWindow());
    }

    QString storedBase() const
    {
        return RawStore(m_path).value(QStringLiteral("SELECT base FROM \"données\"")).toString();
    }
};

TEST_F(SaveQuitTest, SavingWithoutAReferenceRefusesAndWritesNothing)
{
    trigger("menu_delete");
    typeInto(propal(), QStringLiteral("UNE PROPOSITION"));
    typeInto(lettres(), QStringLiteral("A B "));
    m_engine->markers().save = QStringLiteral("Y");
    const QByteArray before = fileBytes(m_path);
    clickButton(QStringLiteral("record"));
    ASSERT_EQ(m_sink.shown.size(), 1u);
    EXPECT_EQ(m_sink.shown[0].text, QStringLiteral("Il n'y a pas de texte de référence !"));
    EXPECT_EQ(m_sink.shown[0].icon, MessageIcon::Critical);
    EXPECT_EQ(fileBytes(m_path), before);
    EXPECT_EQ(saveMarker(), QStringLiteral("Y"));
}

TEST_F(SaveQuitTest, AFailingSaveShowsTheErrorAndKeepsWindowAndMarker)
{
    ASSERT_TRUE(startWindow(StoreOptions{true, 3000}));
    typeInto(ref(), QStringLiteral("S"));
    // The unsaved case is one of the damaged-store runs; this one starts from a save marker.
    m_engine->markers().save = QStringLiteral("Y");
    const QStringList before = shown();
    clickButton(QStringLiteral("record"));
    ASSERT_EQ(m_sink.shown.size(), 1u);
    EXPECT_EQ(m_sink.shown[0].icon, MessageIcon::Critical);
    EXPECT_TRUE(m_sink.shown[0].text.contains(m_path)) << qPrintable(m_sink.shown[0].text);
    EXPECT_EQ(shown(), before);
    EXPECT_EQ(saveMarker(), QStringLiteral("Y"));
    EXPECT_TRUE(m_window->isVisible());
    EXPECT_EQ(storedBase(), QStringLiteral("LE CHAT"));
}

TEST_F(SaveQuitTest, ClearingEmptiesThePageButNotTheFile)
{
    generate(QStringLiteral("LE CHAT"));
    const QString found = label(QStringLiteral("lettres_trouvées"));
    ASSERT_NE(found, QStringLiteral("0"));
    clickButton(QStringLiteral("record"));
    trigger("menu_delete");
    EXPECT_EQ(shown(),
              (QStringList{QString(), QString(), QString(), QString(), QStringLiteral("0")}));
    EXPECT_EQ(label(QStringLiteral("lettres_trouvées")), found);
    EXPECT_EQ(QApplication::focusWidget(), ref());
    EXPECT_EQ(saveMarker(), QString()) << "the proposal held text";
    EXPECT_EQ(storedBase(), QStringLiteral("LE CHAT"));

    clickButton(QStringLiteral("quit"));
    ASSERT_EQ(m_sink.shown.size(), 1u);
    EXPECT_EQ(m_sink.shown[0].text, kNoReferenceToQuit);
    EXPECT_EQ(m_sink.shown[0].icon, MessageIcon::Warning);
    EXPECT_TRUE(m_window->isVisible());
}

// Straight after start-up the page shows the stored count, which clearing must replace.
TEST_F(SaveQuitTest, ClearingRightAfterStartUpLeavesNoLetterToPlace)
{
    ASSERT_EQ(label(QStringLiteral("lettres_restantes")), QStringLiteral("4"));
    trigger("menu_delete");
    EXPECT_EQ(shown(),
              (QStringList{QString(), QString(), QString(), QString(), QStringLiteral("0")}));
}

// What happens before the quit.
enum class Before { Nothing, Save, SaveThenEdit, SaveThenNewPuzzle };

// The button and the menu item are one action; each case runs through both.
struct QuitCase {
    const char* name;
    Before before;
    bool answer;
    bool asked;
    bool ends;
};

void PrintTo(const QuitCase& c, std::ostream* out)
{
    *out << c.name;
}

const QuitCase kQuitCases[] = {
    {"RightAfterStartUpYes", Before::Nothing, true, true, true},
    {"RightAfterStartUpNo", Before::Nothing, false, true, false},
    {"AfterASave", Before::Save, false, false, true},
    {"EditedAfterASaveNo", Before::SaveThenEdit, false, true, false},
    {"EditedAfterASaveYes", Before::SaveThenEdit, true, true, true},
    {"NewPuzzleWithEmptyProposalAfterASave", Before::SaveThenNewPuzzle, false, false, true},
};

class QuitGuardTest : public SaveQuitTest,
                      public ::testing::WithParamInterface<std::tuple<QuitCase, bool>> {
  protected:
    void prepare(Before before)
    {
        if (before == Before::SaveThenNewPuzzle)
            clickButton(QStringLiteral("Command1"));
        if (before != Before::Nothing)
            clickButton(QStringLiteral("record"));
        if (before == Before::SaveThenEdit)
            typeInto(propal(), QStringLiteral("X"));
        if (before == Before::SaveThenNewPuzzle)
            initialise(QStringLiteral(" ET LE RAT"));
    }
};

TEST_P(QuitGuardTest, AsksOnlyWhenUnsavedAndEndsAsAnswered)
{
    const auto& [quit, throughMenu] = GetParam();
    prepare(quit.before);
    const QStringList before = shown();
    m_sink.shown.clear();
    m_sink.answer = quit.answer;
    if (throughMenu)
        trigger("menu_quit");
    else
        clickButton(QStringLiteral("quit"));

    if (quit.asked) {
        ASSERT_EQ(m_sink.shown.size(), 1u);
        EXPECT_EQ(m_sink.shown[0].text, kQuestion);
        EXPECT_EQ(m_sink.shown[0].icon, MessageIcon::Question);
    } else {
        EXPECT_TRUE(m_sink.shown.empty());
    }
    EXPECT_EQ(m_window->isVisible(), !quit.ends);
    // Only the quit that follows a save closes the connection.
    EXPECT_EQ(GameControllerProbe::store(*m_game).isOpen(), quit.asked || !quit.ends);
    if (!quit.ends)
        EXPECT_EQ(shown(), before);
}

INSTANTIATE_TEST_SUITE_P(Quit, QuitGuardTest,
                         ::testing::Combine(::testing::ValuesIn(kQuitCases), ::testing::Bool()),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) +
                                    (std::get<1>(info.param) ? "_Menu" : "_Button");
                         });

TEST_F(SaveQuitTest, ClosingTheFrameAsksOnlyForUnsavedWorkWithAReference)
{
    struct CloseCase {
        const char* name;
        bool emptyReference;
        bool saved;
        bool answer;
        bool asked;
        bool closes;
    };
    const CloseCase cases[] = {
        {"unsaved, No", false, false, false, true, false},
        {"unsaved, Yes", false, false, true, true, true},
        {"saved", false, true, false, false, true},
        {"no reference", true, false, false, false, true},
    };
    for (const CloseCase& c : cases) {
        ASSERT_TRUE(startWindow());
        if (c.emptyReference)
            trigger("menu_delete");
        if (c.saved)
            clickButton(QStringLiteral("record"));
        m_sink.shown.clear();
        m_sink.answer = c.answer;
        const bool closed = m_window->close();
        EXPECT_EQ(closed, c.closes) << c.name;
        EXPECT_EQ(m_window->isVisible(), !c.closes) << c.name;
        EXPECT_EQ(m_sink.shown.size(), c.asked ? 1u : 0u) << c.name;
        if (c.asked && !m_sink.shown.empty())
            EXPECT_EQ(m_sink.shown[0].text, kQuestion);
    }
}

} // namespace
