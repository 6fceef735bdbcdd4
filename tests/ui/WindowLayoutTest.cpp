// The main window as the game master first sees it: caption, every control's objectName and
// caption, geometry at 15 twips per pixel, fonts, menus with their exact captions, the tab
// order, the reference's length, and menu items without handlers changing nothing.
#include "UiFixture.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

namespace {

struct Caption {
    const char* name;
    const char* text;
};

const Caption kLabelCaptions[] = {
    {"Label1", "Texte de référence  (600 car. maxi)"},
    {"Label3", "Texte trouvé"},
    {"Label2", "Texte proposé"},
    {"Label6", "Lettres restantes"},
    {"Label5", "Lettres trouvées"},
    {"Label4", "Lettres restantes"},
    {"lettres_trouvées", "0"},
    {"lettres_restantes", "0"},
    {"lbl_joueur", "Joueur :"},
};

const Caption kButtonCaptions[] = {
    {"init", "Initialiser"}, {"record", "Enregistrer"}, {"bt_copier", "Copier"},
    {"Générer", "Générer"},  {"quit", "Quitter"},       {"Command1", "Effacer texte ci-dessus"},
};

const Caption kActionCaptions[] = {
    {"mnu_nouvelle", "Nouvelle partie…"},
    {"mnu_ouvrir", "Ouvrir une partie…"},
    {"mnu_recentes", "Parties récentes"},
    {"mnu_enregistrer_sous", "Enregistrer la partie sous…"},
    {"filler_parties", "--------------------"},
    {"mnu_annuler_tour", "Annuler le dernier tour"},
    {"mnu_historique", "Historique des tours"},
    {"mnu_classement", "Classement dans le message"},
    {"mnu_apercu", "Aperçu du message"},
    {"mnu_forum", "Forum du fil"},
    {"mnu_regles", "Règles du fil"},
    {"filler_tours", "--------------------"},
    {"menu_delete", "Effacer les données de la page"},
    {"filler", "--------------------"},
    {"menu_quit", "Quitter"},
    {"mnu_fond_ref", "Couleur du fonf de référence"},
    {"mnu_fond_trouvé", "Couleur du fond du texte trouvé"},
    {"mnu_fond_propal", "Coouleur du fond de la proposition"},
    {"mnu_fond_lettres", "Coouleur du fond des lettres restantes"},
    {"filler2", "--------------------"},
    {"mnu_police_ref", "Coulleur police de référence"},
    {"mnu_police_trouvé", "Couleur police texte trouvé"},
    {"mnu_police_propal", "Couoleur, police de la proposition"},
    {"mnu_police_lettres", "Couleur police lettres restantes"},
    {"Filler4", "--------------------"},
    {"mnu_font_ref", "Police du texte de référence"},
    {"mnu_font_soluce", "Police du texte trouvé"},
    {"mnu_font_propal", "Police du texte de la proposition"},
    {"mnu_font_lettres", "Police des lettres restantes"},
    {"mnu_version", "&Version"},
};

struct Placement {
    const char* name;
    QRect pixels;
};

const Placement kPlacements[] = {
    {"ref", {8, 48, 333, 417}},
    {"soluce", {352, 48, 333, 417}},
    {"propal", {696, 48, 329, 417}},
    {"lettres", {8, 504, 737, 105}},
    {"lettres_trouvées", {912, 517, 33, 25}},
    {"Générer", {752, 616, 113, 25}},
    {"Command1", {784, 472, 201, 25}},
};

} // namespace

using WindowLayoutTest = UiFixture;

// The caption ends with the version and the unsaved mark, which Qt draws while the game is
// unsaved: after a turn, not after «Enregistrer».
TEST_F(WindowLayoutTest, CaptionEndsWithTheVersionAndMarksAnUnsavedGame)
{
    EXPECT_EQ(m_window->objectName(), QStringLiteral("Form1"));
    EXPECT_EQ(m_window->windowTitle(),
              QStringLiteral("DORV - Plimo : Jeux de mots - Version 2.5.0[*]"));
    initialise(QStringLiteral("LE CHAT"));
    clickButton(QStringLiteral("record"));
    EXPECT_FALSE(m_window->isWindowModified());
    generate(QStringLiteral("LA CHAR"));
    EXPECT_TRUE(m_window->isWindowModified());
    clickButton(QStringLiteral("record"));
    EXPECT_FALSE(m_window->isWindowModified());
    EXPECT_EQ(m_window->centralWidget()->size(), QSize(1036, 653));
    EXPECT_FALSE(m_window->windowIcon().isNull());
}

TEST_F(WindowLayoutTest, LabelsAndButtonsCarryTheirNamesAndCaptions)
{
    for (const Caption& c : kLabelCaptions)
        EXPECT_EQ(label(QString::fromUtf8(c.name)), QString::fromUtf8(c.text)) << c.name;
    for (const Caption& c : kButtonCaptions)
        EXPECT_EQ(button(QString::fromUtf8(c.name))->text(), QString::fromUtf8(c.text)) << c.name;
}

TEST_F(WindowLayoutTest, MenusHoldEveryItemInOrder)
{
    auto* file = child<QMenu>(QStringLiteral("menu_Fichier"));
    auto* colours = child<QMenu>(QStringLiteral("mnu_couleur"));
    EXPECT_EQ(file->title(), QStringLiteral("&Fichier"));
    EXPECT_EQ(colours->title(), QStringLiteral("&Couleurs  et  Police"));

    QList<QAction*> items = file->actions() + colours->actions();
    items.append(child<QAction>(QStringLiteral("mnu_version")));
    ASSERT_EQ(items.size(), static_cast<qsizetype>(std::size(kActionCaptions)));
    for (qsizetype i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i]->objectName(), QString::fromUtf8(kActionCaptions[i].name));
        EXPECT_EQ(items[i]->text(), QString::fromUtf8(kActionCaptions[i].text));
        EXPECT_FALSE(items[i]->isSeparator());
        // Nothing can be undone before a turn is played.
        EXPECT_EQ(items[i]->isEnabled(),
                  items[i]->objectName() != QStringLiteral("mnu_annuler_tour"))
            << kActionCaptions[i].name;
    }
    // The version item sits on the menu bar itself, after the two menus.
    const QList<QAction*> bar = m_window->menuBar()->actions();
    ASSERT_EQ(bar.size(), 3);
    EXPECT_EQ(bar[2]->objectName(), QStringLiteral("mnu_version"));
    EXPECT_EQ(bar[2]->menu(), nullptr);
}

TEST_F(WindowLayoutTest, GeometryFollowsTheTwipsAtFifteenPerPixel)
{
    for (const Placement& p : kPlacements)
        EXPECT_EQ(child<QWidget>(QString::fromUtf8(p.name))->geometry(), p.pixels) << p.name;
    // A label keeps its place and grows only when the substituted font needs more room.
    const QRect title = child<QWidget>(QStringLiteral("Label1"))->geometry();
    EXPECT_EQ(title.topLeft(), QPoint(8, 16));
    EXPECT_EQ(title.height(), 20);
    EXPECT_GE(title.width(), 244);
}

TEST_F(WindowLayoutTest, PlayerFieldSitsRightOfTheProposalCaptionAndOverlapsNothing)
{
    const QRect caption = child<QWidget>(QStringLiteral("Label2"))->geometry();
    const QRect field = child<QWidget>(QStringLiteral("joueur"))->geometry();
    const QRect label = child<QWidget>(QStringLiteral("lbl_joueur"))->geometry();
    const QRect pane = propal()->geometry();
    EXPECT_GT(label.left(), caption.right());
    EXPECT_GT(field.left(), label.right());
    EXPECT_LE(field.right(), pane.right());
    EXPECT_LT(field.bottom(), pane.top());
    EXPECT_TRUE(field.top() <= caption.bottom() && caption.top() <= field.bottom()) << "same row";
    const QList<QWidget*> controls =
        m_window->centralWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* a : controls)
        for (QWidget* b : controls)
            EXPECT_TRUE(a == b || !a->geometry().intersects(b->geometry()))
                << a->objectName().toStdString() << " " << b->objectName().toStdString();
}

// The reference's length as the master types, on its caption's row at the pane's right edge,
// shown whole, and red past the limit.
TEST_F(WindowLayoutTest, TheReferencesLengthFollowsTheTypingOnItsCaptionsRow)
{
    auto* length = child<QLabel>(QStringLiteral("lbl_longueur"));
    const QRect caption = child<QWidget>(QStringLiteral("Label1"))->geometry();
    EXPECT_EQ(length->text(), QStringLiteral("0 / 600"));
    EXPECT_EQ(length->geometry().right(), ref()->geometry().right());
    EXPECT_GT(length->geometry().left(), caption.right());
    EXPECT_TRUE(length->geometry().top() <= caption.bottom() &&
                caption.top() <= length->geometry().bottom())
        << "same row";
    const QColor normal = length->palette().color(QPalette::WindowText);
    for (const int typed : {599, 601}) {
        ref()->setPlainText(QString(typed, QLatin1Char('a')));
        EXPECT_EQ(length->text(), QStringLiteral("%1 / 600").arg(typed));
        EXPECT_LE(length->sizeHint().width(), length->width()) << "shown whole";
        EXPECT_EQ(length->palette().color(QPalette::WindowText) != normal, typed > 600);
    }
}

TEST_F(WindowLayoutTest, PanesUseCourierAndTheDesignColours)
{
    for (QWidget* pane : {static_cast<QWidget*>(ref()), static_cast<QWidget*>(soluce()),
                          static_cast<QWidget*>(propal()), static_cast<QWidget*>(lettres())}) {
        EXPECT_EQ(pane->font().family(), QStringLiteral("Courier New"));
        // A new game stores the design-time size in whole points.
        EXPECT_DOUBLE_EQ(pane->font().pointSizeF(), 14.0);
        EXPECT_FALSE(pane->accessibleName().isEmpty()) << pane->objectName().toStdString();
    }
    EXPECT_EQ(ref()->palette().color(QPalette::Base), QColor(255, 255, 192));
    EXPECT_EQ(soluce()->palette().color(QPalette::Base), QColor(192, 255, 255));
    EXPECT_EQ(lettres()->palette().color(QPalette::Base), QColor(192, 255, 192));
    EXPECT_TRUE(soluce()->isReadOnly());
    auto* count = child<QLabel>(QStringLiteral("lettres_trouvées"));
    EXPECT_EQ(count->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(count->font().pointSize(), 15);
}

TEST_F(WindowLayoutTest, TabWalksTheControlsInTheDesignOrder)
{
    const char* order[] = {"ref",  "soluce",   "lettres",   "record", "Générer", "quit",
                           "init", "Command1", "bt_copier", "propal", "joueur"};
    click(ref());
    for (const char* name : order) {
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), QString::fromUtf8(name));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("ref"));
}

TEST_F(WindowLayoutTest, ItemsWithoutHandlersChangeNothing)
{
    initialise(QStringLiteral("le chat"));
    GameSession initialised;
    initialised.ref = QStringLiteral("LE CHAT");
    initialised.soluce = QStringLiteral("** ****");
    initialised.lettres = QStringLiteral("A C E H L T ");
    initialised.lettres_restantes = 6;
    ASSERT_EQ(m_game->session(), initialised);
    for (const char* name : {"filler", "filler2", "Filler4"})
        trigger(name);
    child<QMenu>(QStringLiteral("menu_Fichier"))->menuAction()->trigger();
    EXPECT_EQ(m_game->session(), initialised);
    EXPECT_TRUE(m_sink.shown.empty());
}
