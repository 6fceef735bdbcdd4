// Going from one game file to another from «Fichier», on real files through Qt's own chooser:
// the question about unsaved data asked first, a new game, an open, a save under a new name,
// the recent games, and the caption that names the file.
#include "StoredWindowFixture.h"

#include <QAbstractItemView>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

namespace {

const QString kLeaveQuestion = QStringLiteral(
    "Vos données n'ont pas été enregistrées.\rVoulez-vous les enregistrer avant de changer de "
    "partie ?");
const QString kCaption = QStringLiteral("DORV - Plimo : Jeux de mots - Version 2.5.0");

class OtherGameWindowTest : public StoredWindowFixture {
  protected:
    void SetUp() override
    {
        StoredWindowFixture::SetUp();
        m_other = m_dir.filePath(QStringLiteral("autre & partie.mdb"));
        makeSampleStore(m_other, {QStringLiteral("UPDATE \"données\" SET base = 'UN LOUP'")});
        // The other game enters the recent games before the window's own.
        ASSERT_FALSE(GameController().openGame(m_other));
        ASSERT_NO_FATAL_FAILURE(startOnNewSample());
    }

    void startOnNewSample(StoreOptions options = {})
    {
        if (m_window)
            UiFixture::TearDown();
        QFile::remove(m_path);
        makeSampleStore(m_path);
        ASSERT_TRUE(startWindow(options));
    }

    // Answers the next chooser through its own widgets: the name typed, then its accept button;
    // Cancel for "".
    void answerChooser(const QString& typed)
    {
        m_chooser = {};
        onModal<QFileDialog>([this, typed](QFileDialog* dialog) {
            m_chooser << dialog->windowTitle() << dialog->directory().absolutePath()
                      << dialog->nameFilters();
            if (typed.isEmpty()) {
                dialog->reject();
                return;
            }
            auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            for (QChar c : typed)
                QTest::sendKeyEvent(QTest::Click, name, Qt::Key_unknown, QString(c), {});
            auto* buttons = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
            for (QAbstractButton* button : buttons->buttons()) {
                if (buttons->buttonRole(button) == QDialogButtonBox::AcceptRole)
                    button->click();
            }
        });
    }

    // The recent games' items as the submenu shows them when it opens.
    QList<QAction*> recentItems() const
    {
        auto* menu = child<QMenu>(QStringLiteral("mnu_recentes"));
        Q_EMIT menu->aboutToShow();
        return menu->actions();
    }

    QString storedBase(const QString& path) const
    {
        return RawStore(path).value(QStringLiteral("SELECT base FROM \"données\"")).toString();
    }

    QString m_other;
    QStringList m_chooser; // title, folder, filters of the last chooser
};

TEST_F(OtherGameWindowTest, NewGameIsMadeThroughQtsOwnChooser)
{
    EXPECT_EQ(m_window->windowTitle(), kCaption);
    typeInto(ref(), QStringLiteral(" LOUP"));
    m_sink.choice = MessageSink::Answer::No;
    answerChooser(QStringLiteral("fil-42"));
    trigger("mnu_nouvelle");
    ASSERT_EQ(m_sink.shown.size(), 1u);
    EXPECT_EQ(m_sink.shown[0].text, kLeaveQuestion);
    EXPECT_EQ(m_chooser, (QStringList{QStringLiteral("Nouvelle partie"), m_dir.path(),
                                      QStringLiteral("Parties Plimo (*.mdb)")}));
    const QString made = m_dir.filePath(QStringLiteral("fil-42.mdb"));
    EXPECT_EQ(m_game->gamePath(), made);
    EXPECT_EQ(shown(), (QStringList{"", "", "", "", "0"}));
    EXPECT_EQ(m_window->windowTitle(), kCaption + QStringLiteral(" — fil-42.mdb"));
    EXPECT_EQ(m_window->focusWidget(), ref());
    EXPECT_EQ(storedBase(m_path), QStringLiteral("LE CHAT"));

    // An existing name is refused with a warning; Cancel does nothing.
    m_sink.shown.clear();
    answerChooser(QStringLiteral("plimo.mdb"));
    trigger("mnu_nouvelle");
    ASSERT_EQ(m_sink.shown.size(), 1u);
    EXPECT_EQ(m_sink.shown[0].icon, MessageIcon::Warning);
    EXPECT_EQ(m_sink.shown[0].text, QStringLiteral("Le fichier existe déjà.\r") + m_path);
    answerChooser(QString());
    trigger("mnu_nouvelle");
    EXPECT_EQ(m_sink.shown.size(), 1u);
    EXPECT_EQ(m_game->gamePath(), made);
}

TEST_F(OtherGameWindowTest, OpenShowsTheOtherGameOrKeepsTheCurrentOne)
{
    generate(QStringLiteral("L ECHAT"));
    ASSERT_TRUE(m_window->conflictDialog() && m_window->conflictDialog()->isVisible());
    trigger("mnu_historique");
    const QString bad = m_dir.filePath(QStringLiteral("abîmée.mdb"));
    writeBytes(bad, "Pas une partie.");
    m_sink.choice = MessageSink::Answer::No;
    const QStringList before = shown();
    answerChooser(QStringLiteral("abîmée.mdb"));
    trigger("mnu_ouvrir");
    ASSERT_EQ(m_sink.shown.size(), 2u);
    EXPECT_EQ(m_sink.shown[1].icon, MessageIcon::Critical);
    EXPECT_TRUE(m_sink.shown[1].text.contains(bad)) << qPrintable(m_sink.shown[1].text);
    EXPECT_EQ(m_game->gamePath(), m_path);
    EXPECT_EQ(shown(), before);

    answerChooser(QFileInfo(m_other).fileName());
    trigger("mnu_ouvrir");
    EXPECT_EQ(m_chooser.value(0), QStringLiteral("Ouvrir une partie"));
    EXPECT_EQ(m_game->gamePath(), m_other);
    EXPECT_EQ(ref()->toPlainText(), QStringLiteral("UN LOUP"));
    EXPECT_EQ(m_window->windowTitle(), kCaption + QStringLiteral(" — autre & partie.mdb"));
    EXPECT_FALSE(m_window->conflictDialog()->isVisible());
    auto* turns = m_window->historyWindow()->findChild<QAbstractItemView*>();
    ASSERT_NE(turns, nullptr);
    EXPECT_EQ(turns->model()->rowCount(), 1); // the other game's turn 0
}

TEST_F(OtherGameWindowTest, SaveAsGoesOnWithTheNewFileAndKeepsTheOld)
{
    typeInto(ref(), QStringLiteral(" LOUP"));
    answerChooser(QStringLiteral("copie"));
    trigger("mnu_enregistrer_sous");
    const QString copy = m_dir.filePath(QStringLiteral("copie.mdb"));
    EXPECT_TRUE(m_sink.shown.empty()) << "no question: nothing is left behind";
    EXPECT_EQ(m_game->gamePath(), copy);
    EXPECT_TRUE(m_game->isSaved());
    EXPECT_EQ(storedBase(copy), QStringLiteral("LE CHAT LOUP"));
    EXPECT_EQ(storedBase(m_path), QStringLiteral("LE CHAT"));
    EXPECT_EQ(m_window->windowTitle(), kCaption + QStringLiteral(" — copie.mdb"));

    answerChooser(QFileInfo(m_other).fileName());
    trigger("mnu_enregistrer_sous");
    ASSERT_EQ(m_sink.shown.size(), 1u);
    EXPECT_EQ(m_sink.shown[0].icon, MessageIcon::Warning);
    EXPECT_EQ(m_game->gamePath(), copy);
}

TEST_F(OtherGameWindowTest, RecentGamesOpenAndAGoneOneLeavesTheList)
{
    QList<QAction*> items = recentItems();
    ASSERT_GE(items.size(), 2);
    EXPECT_EQ(items[0]->text(), QStringLiteral("plimo.mdb"));
    EXPECT_EQ(items[0]->toolTip(), QDir::toNativeSeparators(m_path));
    EXPECT_EQ(items[1]->text(), QStringLiteral("autre && partie.mdb"));
    m_sink.choice = MessageSink::Answer::No;
    items[1]->trigger();
    EXPECT_EQ(m_game->gamePath(), m_other);

    ASSERT_TRUE(QFile::remove(m_path));
    m_sink.shown.clear();
    recentItems()[1]->trigger();
    ASSERT_EQ(m_sink.shown.size(), 1u);
    EXPECT_EQ(m_sink.shown[0].icon, MessageIcon::Warning);
    EXPECT_EQ(m_game->gamePath(), m_other);
    for (QAction* item : recentItems())
        EXPECT_NE(item->toolTip(), QDir::toNativeSeparators(m_path));
}

TEST_F(OtherGameWindowTest, LeavingAnUnsavedGameAsksFirst)
{
    enum class Reference { Empty, Saved, Unsaved };
    using Answer = MessageSink::Answer;
    const struct Case {
        const char* name;
        Reference reference;
        Answer answer;
        bool saveFails;
        bool asked;
        bool left;
        bool stored;
    } cases[] = {
        {"no reference", Reference::Empty, Answer::Cancel, false, false, true, false},
        {"saved", Reference::Saved, Answer::Cancel, false, false, true, true},
        {"Oui", Reference::Unsaved, Answer::Yes, false, true, true, true},
        {"Non", Reference::Unsaved, Answer::No, false, true, true, false},
        {"Annuler", Reference::Unsaved, Answer::Cancel, false, true, false, false},
        {"Oui but the save fails", Reference::Unsaved, Answer::Yes, true, true, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NO_FATAL_FAILURE(startOnNewSample(StoreOptions{c.saveFails}));
        if (c.reference == Reference::Empty)
            trigger("menu_delete");
        else
            typeInto(ref(), QStringLiteral(" LOUP"));
        if (c.reference == Reference::Saved)
            ASSERT_FALSE(m_game->save());
        m_sink.shown.clear();
        m_sink.choice = c.answer;
        recentItems()[1]->trigger();

        EXPECT_EQ(!m_sink.shown.empty() && m_sink.shown[0].text == kLeaveQuestion, c.asked);
        EXPECT_EQ(m_sink.shown.size(), c.asked ? 1u + c.saveFails : 0u);
        EXPECT_EQ(m_game->gamePath(), c.left ? m_other : m_path);
        EXPECT_EQ(storedBase(m_path), c.stored ? QStringLiteral("LE CHAT LOUP") : "LE CHAT");
        if (!c.left)
            EXPECT_EQ(ref()->toPlainText(), QStringLiteral("LE CHAT LOUP"));
    }
}

TEST_F(OtherGameWindowTest, ShortcutsOpenTheChoosersFromThePanes)
{
    const struct {
        QWidget* pane;
        QKeyCombination key;
        const char* title;
    } cases[] = {
        {propal(), Qt::CTRL | Qt::Key_O, "Ouvrir une partie"},
        {ref(), Qt::CTRL | Qt::Key_N, "Nouvelle partie"},
        {lettres(), Qt::CTRL | Qt::SHIFT | Qt::Key_S, "Enregistrer la partie sous"},
    };
    m_sink.choice = MessageSink::Answer::No;
    for (const auto& c : cases) {
        // The offscreen platform does not give the activation back when a dialog closes.
        m_window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
        answerChooser(QString());
        click(c.pane);
        QTest::keyClick(c.pane, c.key.key(), c.key.keyboardModifiers());
        EXPECT_EQ(m_chooser.value(0), QString::fromUtf8(c.title));
    }
    EXPECT_EQ(m_game->gamePath(), m_path);
}

} // namespace
