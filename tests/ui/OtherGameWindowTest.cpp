// Going from one game file to another from «Fichier» or its keys in the panes, on real files
// through Qt's own chooser: the question about unsaved data asked first, a new game, an open (of
// a game left by a crash, offered back), a save under a new name, the recent games, and the
// caption that names the file.
#include "RecoveryStore.h"
#include "UiFixture.h"

#include <QAbstractItemView>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>

namespace {

const QString kLeaveQuestion = QStringLiteral(
    "Vos données n'ont pas été enregistrées.\rVoulez-vous les enregistrer avant de changer de "
    "partie ?");
const QString kCaption = QStringLiteral("DORV - Plimo : Jeux de mots - Version 2.5.0");

class OtherGameWindowTest : public UiFixture {
  protected:
    void SetUp() override
    {
        UiFixture::SetUp();
        m_sink.choice = Answer::No;
    }
    void makeGame() override
    {
        m_other = m_dir.filePath(QStringLiteral("autre & partie.mdb"));
        makeSampleStore(m_other, {QStringLiteral("UPDATE \"données\" SET base = 'UN LOUP'")});
        // The other game enters the recent games before the window's own.
        ASSERT_FALSE(GameController().openGame(m_other));
        makeSampleStore(m_path);
    }

    // Answers the next chooser through its own widgets: the name typed, then its accept button;
    // Cancel for "". Keeps its title, folder and filters.
    void answerChooser(const QString& typed)
    {
        m_chooser = {};
        onModal<QFileDialog>([this, typed](QFileDialog* dialog) {
            m_chooser << dialog->windowTitle() << dialog->directory().absolutePath()
                      << dialog->nameFilters();
            if (typed.isEmpty())
                return dialog->reject();
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
    static QAbstractItemView* historyTable()
    {
        return topLevel("form_historique")
            ->findChild<QAbstractItemView*>(QStringLiteral("historique"));
    }

    QString m_other;
    QStringList m_chooser;
};

TEST_F(OtherGameWindowTest, NewGameIsMadeThroughQtsOwnChooser)
{
    EXPECT_EQ(m_window->windowTitle(), kCaption + QStringLiteral("[*]"));
    answerChooser(QStringLiteral("fil-42"));
    click(ref());
    QTest::keyClick(ref(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(m_sink.shown.at(0).text, kLeaveQuestion);
    EXPECT_EQ(m_chooser, (QStringList{QStringLiteral("Nouvelle partie"), m_dir.path(),
                                      QStringLiteral("Parties Plimo (*.mdb)")}));
    const QString made = m_dir.filePath(QStringLiteral("fil-42.mdb"));
    EXPECT_EQ(m_game->gamePath(), made);
    EXPECT_EQ(shown(), (QStringList{"", "", "", "", "0"}));
    EXPECT_EQ(m_window->windowTitle(), kCaption + QStringLiteral(" — fil-42.mdb[*]"));
    EXPECT_EQ(m_window->focusWidget(), ref());

    answerChooser(QString());
    trigger("mnu_nouvelle");
    EXPECT_EQ(m_game->gamePath(), made);
}

TEST_F(OtherGameWindowTest, OpenShowsTheOtherGameOrKeepsTheCurrentOne)
{
    const QString bad = m_dir.filePath(QStringLiteral("abîmée.mdb"));
    writeBytes(bad, "Pas une partie.");
    const QStringList before = shown();
    answerChooser(QStringLiteral("abîmée.mdb"));
    QTest::keyClick(propal(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(m_sink.shown.back().icon, MessageIcon::Critical);
    EXPECT_TRUE(m_sink.shown.back().text.contains(bad));
    EXPECT_EQ(shown(), before);

    // The offscreen platform does not give the activation back when a dialog closes.
    m_window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    generate(QStringLiteral("L ECHAT"));
    ASSERT_TRUE(topLevel("form_message")->isVisible());
    trigger("mnu_historique");
    {
        // The other game was left by a crash, its proposal cleared: its opening offers it back.
        GameController crashed;
        ASSERT_FALSE(crashed.openGame(m_other));
        crashed.clearProposal();
    }
    answerChooser(QFileInfo(m_other).fileName());
    trigger("mnu_ouvrir");
    EXPECT_EQ(m_game->gamePath(), m_other);
    EXPECT_TRUE(m_sink.shown.back().text.startsWith(
        QStringLiteral("Plimo s'est arrêté sans enregistrer cette partie.")));
    EXPECT_EQ(ref()->toPlainText(), QStringLiteral("UN LOUP"));
    EXPECT_EQ(propal()->toPlainText(), QString());
    EXPECT_EQ(m_window->windowTitle(), kCaption + QStringLiteral(" — autre & partie.mdb[*]"));
    EXPECT_FALSE(topLevel("form_message")->isVisible());
    EXPECT_EQ(historyTable()->model()->rowCount(), 1);
}

TEST_F(OtherGameWindowTest, SaveAsGoesOnWithTheNewFile)
{
    typeInto(ref(), QStringLiteral(" loup"));
    answerChooser(QStringLiteral("copie"));
    click(lettres());
    QTest::keyClick(lettres(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    const QString copy = m_dir.filePath(QStringLiteral("copie.mdb"));
    EXPECT_TRUE(m_sink.shown.empty()) << "no question: the game goes along";
    EXPECT_EQ(m_game->gamePath(), copy);
    EXPECT_EQ(storedBase(copy), QStringLiteral("LE CHAT LOUP"));
    EXPECT_EQ(m_window->windowTitle(), kCaption + QStringLiteral(" — copie.mdb[*]"));
}

TEST_F(OtherGameWindowTest, RecentGamesOpenAndAGoneOneLeavesTheList)
{
    const QList<QAction*> items = recentItems();
    EXPECT_EQ(items.at(0)->toolTip(), QDir::toNativeSeparators(m_path));
    EXPECT_EQ(items.at(1)->text(), QStringLiteral("autre && partie.mdb"));
    items[1]->trigger();
    EXPECT_EQ(m_game->gamePath(), m_other);

    ASSERT_TRUE(QFile::remove(m_path));
    recentItems()[1]->trigger();
    EXPECT_EQ(m_sink.shown.back().icon, MessageIcon::Warning);
    EXPECT_EQ(m_game->gamePath(), m_other);
    for (const QAction* item : recentItems())
        EXPECT_NE(item->toolTip(), QDir::toNativeSeparators(m_path));
}

// Oui saves before the other game opens; a save that fails shows why, and the game stays.
// The real question box, answered through its own widgets: Entrée takes its default Oui, Escape
// its Annuler.
TEST_F(OtherGameWindowTest, TheRealLeaveQuestionIsAnsweredThroughItsWidgets)
{
    const struct {
        const char* name;
        Qt::Key key; // Qt::Key_unknown: a click on Non
        bool left;
        bool stored;
    } cases[] = {{"Entrée", Qt::Key_Return, true, true},
                 {"Non", Qt::Key_unknown, true, false},
                 {"Escape", Qt::Key_Escape, false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        endWindow();
        QFile::remove(m_path);
        // The game left unsaved by the case before keeps its recovery record.
        QFile::remove(RecoveryStore::fileFor(m_path));
        makeSampleStore(m_path);
        ASSERT_TRUE(startWindow(nullptr, &m_choosers));
        typeInto(ref(), QStringLiteral(" loup"));
        QString asked;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        onModal<QMessageBox>([&](QMessageBox* box) {
            asked = box->text();
            icon = box->icon();
            if (c.key == Qt::Key_unknown)
                box->button(QMessageBox::No)->click();
            else
                QTest::keyClick(box, c.key);
        });
        recentItems()[1]->trigger();
        EXPECT_EQ(icon, QMessageBox::Question);
        EXPECT_EQ(asked, QString(kLeaveQuestion).replace(QLatin1Char('\r'), QLatin1Char('\n')));
        EXPECT_EQ(m_game->gamePath(), c.left ? m_other : m_path);
        EXPECT_EQ(storedBase(m_path), c.stored ? QStringLiteral("LE CHAT LOUP") : "LE CHAT");
    }
}

} // namespace
