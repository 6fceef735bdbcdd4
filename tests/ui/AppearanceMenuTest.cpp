// The twelve colour and font items: each changes its pane at once and writes its couleurs
// fields at once; a cancelled chooser changes neither; a failed write is reported while the
// pane keeps its new look; an empty proposal gives the new look to what is typed next.
#include "AppearanceController.h"
#include "Choosers.h"
#include "UiFixture.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFontDatabase>
#include <QFontDialog>
#include <QFontInfo>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QValidator>

static void PrintTo(const FontChoice& font, std::ostream* os)
{
    *os << '"' << font.name.toStdString() << "\" " << font.size << (font.bold ? " bold" : "")
        << (font.italic ? " italic" : "");
}

namespace {

class AppearanceMenu : public UiFixture {
  protected:
    // The value of the game file's couleurs field.
    QVariant storedLook(const QString& column) const
    {
        return stored(QStringLiteral("SELECT %1 FROM couleurs ORDER BY rowid LIMIT 1").arg(column));
    }
    // A saved game with this proposal.
    void saveWithProposal(const QString& proposal)
    {
        typeInto(propal(), proposal);
        typeInto(ref(), QStringLiteral("le chat"));
        clickButton(QStringLiteral("record"));
        ASSERT_FALSE(m_game->isModified());
    }
};

// A field holds red in its low byte, then green, then blue.
struct ColourCase {
    const char* item;
    const char* pane;
    const char* column;
    QPalette::ColorRole role;
    QColor colour;
    qlonglong stored;
};

TEST_F(AppearanceMenu, EachColourItemChangesItsPaneAndItsFieldAtOnce)
{
    const ColourCase cases[] = {
        {"mnu_fond_ref", "ref", "fond_ref", QPalette::Base, {10, 100, 200}, 13132810},
        {"mnu_fond_trouvé", "soluce", "fond_soluce", QPalette::Base, {20, 100, 200}, 13132820},
        {"mnu_fond_propal", "propal", "fond_propal", QPalette::Base, {30, 100, 200}, 13132830},
        {"mnu_fond_lettres", "lettres", "fond_lettres", QPalette::Base, {10, 20, 30}, 1971210},
        {"mnu_police_ref", "ref", "police_ref", QPalette::Text, {200, 100, 0}, 25800},
        {"mnu_police_trouvé", "soluce", "police_soluce", QPalette::Text, {255, 0, 0}, 255},
        {"mnu_police_lettres", "lettres", "police_lettres", QPalette::Text, {0, 0, 255}, 16711680},
    };
    for (const ColourCase& c : cases) {
        m_choosers.colour = c.colour;
        trigger(c.item);
        const auto* pane = child<QWidget>(QString::fromLatin1(c.pane));
        EXPECT_EQ(pane->palette().color(c.role), c.colour) << c.item;
        EXPECT_EQ(storedLook(QString::fromLatin1(c.column)).toLongLong(), c.stored) << c.item;
    }
    EXPECT_TRUE(m_sink.shown.empty());
}

// Recolouring alone is no change of the proposal: the game stays saved.
TEST_F(AppearanceMenu, ProposalTextColourCoversEveryCharacterAndIsStored)
{
    ASSERT_NO_FATAL_FAILURE(saveWithProposal(QStringLiteral("LE CHAT")));
    m_choosers.colour = QColor(0, 128, 0);
    trigger("mnu_police_propal");

    EXPECT_EQ(propal()->toPlainText(), QStringLiteral("LE CHAT"));
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(proposalFormatAt(i).foreground().color(), QColor(0, 128, 0)) << i;
    EXPECT_EQ(storedLook(QStringLiteral("police_propal")).toLongLong(), 32768);
    EXPECT_FALSE(m_game->isModified());
}

// The proposal's new font, like its colour, is no change of the proposal.
TEST_F(AppearanceMenu, EachFontItemSetsItsPaneAndStoresTheRoundedSize)
{
    const struct {
        const char* item;
        const char* suffix;
        double size;
        int stored;
        bool italic;
    } cases[] = {{"mnu_font_ref", "ref", 14.25, 14, true},
                 {"mnu_font_soluce", "soluce", 10.5, 10, true},
                 {"mnu_font_propal", "propal", 11.5, 12, true},
                 {"mnu_font_lettres", "lettres", 16, 16, false}};
    ASSERT_NO_FATAL_FAILURE(saveWithProposal(QStringLiteral("AB")));
    for (const auto& c : cases) {
        QFont font(QStringLiteral("Courier New"));
        font.setPointSizeF(c.size);
        font.setBold(true);
        font.setItalic(c.italic);
        m_choosers.font = font;
        trigger(c.item);

        const QString suffix = QString::fromLatin1(c.suffix);
        EXPECT_EQ(storedLook(QStringLiteral("font_name_") + suffix).toString(),
                  QStringLiteral("Courier New"))
            << c.item;
        EXPECT_EQ(storedLook(QStringLiteral("font_size_") + suffix).toInt(), c.stored) << c.item;
        EXPECT_EQ(storedLook(QStringLiteral("font_bold_") + suffix).toInt(), 1) << c.item;
        EXPECT_EQ(storedLook(QStringLiteral("font_italic_") + suffix).toInt(), c.italic ? 1 : 0)
            << c.item;
        if (suffix == QLatin1String("propal")) {
            for (int i = 0; i < 2; ++i)
                EXPECT_EQ(proposalFormatAt(i).fontPointSize(), 12.0) << i;
        } else {
            const QFont shown = child<QWidget>(suffix)->font();
            EXPECT_EQ(shown.pointSize(), c.stored) << c.item;
            EXPECT_TRUE(shown.bold()) << c.item;
        }
    }
    EXPECT_FALSE(m_game->isModified());
}

TEST_F(AppearanceMenu, CancellingAChooserChangesNeitherPaneNorRecord)
{
    const QByteArray before = fileBytes(m_path);
    const QColor background = ref()->palette().color(QPalette::Base);
    const QFont font = soluce()->font();
    for (const AppearanceItem& item : appearanceItems())
        trigger(item.objectName);
    EXPECT_EQ(ref()->palette().color(QPalette::Base), background);
    EXPECT_EQ(soluce()->font(), font);
    EXPECT_EQ(fileBytes(m_path), before);
    EXPECT_TRUE(m_sink.shown.empty());
}

TEST_F(AppearanceMenu, ChoosersStartFromThePanesCurrentLook)
{
    trigger("mnu_fond_lettres");
    EXPECT_EQ(m_choosers.initialColour, lettres()->palette().color(QPalette::Base));
    trigger("mnu_font_ref");
    EXPECT_EQ(m_choosers.initialFont.family(), QStringLiteral("Courier New"));
}

TEST_F(AppearanceMenu, AnEmptyProposalGivesTheNewLookToWhatIsTypedNext)
{
    ASSERT_TRUE(propal()->toPlainText().isEmpty());
    m_choosers.colour = QColor(0, 0, 255);
    trigger("mnu_police_propal");
    QFont font(QStringLiteral("Courier New"));
    font.setPointSize(18);
    m_choosers.font = font;
    trigger("mnu_font_propal");

    typeInto(propal(), QStringLiteral("OUI"));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(proposalFormatAt(i).foreground().color(), QColor(0, 0, 255)) << i;
        EXPECT_EQ(proposalFormatAt(i).fontPointSize(), 18.0) << i;
    }
}

TEST_F(AppearanceMenu, AFailedWriteIsReportedAndThePaneKeepsItsNewLook)
{
    ASSERT_TRUE(QFile::setPermissions(m_path, QFileDevice::ReadOwner));
    const PermissionsBind bind;
    ASSERT_TRUE(startWindow());
    const QByteArray before = fileBytes(m_path);
    m_choosers.colour = QColor(1, 2, 3);
    trigger("mnu_fond_ref");
    EXPECT_EQ(ref()->palette().color(QPalette::Base), QColor(1, 2, 3));
    ASSERT_EQ(m_sink.shown.size(), 1u);
    EXPECT_EQ(m_sink.shown[0].icon, MessageIcon::Critical);
    EXPECT_TRUE(m_sink.shown[0].text.contains(m_path)) << m_sink.shown[0].text.toStdString();
    EXPECT_EQ(fileBytes(m_path), before);
    EXPECT_TRUE(m_window->isVisible());
}

TEST_F(AppearanceMenu, AMissingPaneOrActionStopsTheProgram)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    AppearanceTargets targets;
    for (Pane pane : kPanes)
        targets.panes[pane] = child<QWidget>(paneSuffix(pane));
    for (std::size_t i = 0; i < targets.actions.size(); ++i)
        targets.actions[i] = child<QAction>(QString::fromUtf8(appearanceItems()[i].objectName));
    AppearanceTargets noAction = targets;
    noAction.actions[11] = nullptr;
    EXPECT_DEATH(AppearanceController(*m_window, noAction, *m_game, m_choosers, m_sink),
                 "mnu_font_lettres");
    AppearanceTargets noPane = targets;
    noPane.panes.erase(Pane::Soluce);
    EXPECT_DEATH(AppearanceController(*m_window, noPane, *m_game, m_choosers, m_sink), "soluce");
}

namespace {

// Types a colour into the real chooser's HTML field, as a user would, then clicks the button of
// that role in its button box.
void answerColourChooser(QColorDialog* dialog, const QString& html,
                         QDialogButtonBox::ButtonRole role)
{
    QLineEdit* htmlField = nullptr;
    for (QLineEdit* edit : dialog->findChildren<QLineEdit*>())
        if (!qobject_cast<QAbstractSpinBox*>(edit->parentWidget()))
            htmlField = edit;
    auto* box = dialog->findChild<QDialogButtonBox*>();
    if (!htmlField || !box) {
        ADD_FAILURE() << "the colour chooser's HTML field or buttons were not found";
        dialog->reject();
        return;
    }
    QTest::mouseClick(htmlField, Qt::LeftButton);
    htmlField->selectAll();
    QTest::keyClicks(htmlField, html);
    for (QAbstractButton* button : box->buttons())
        if (box->buttonRole(button) == role) {
            QTest::mouseClick(button, Qt::LeftButton);
            return;
        }
    ADD_FAILURE() << "no button of role " << role;
    dialog->reject();
}

} // namespace

// The real, non-native Qt chooser, answered as a user would: a colour typed in and OK applies
// and stores it; the same with Cancel changes neither the pane nor the record.
TEST_F(AppearanceMenu, TheRealColourChooserIsModalAndItsChoiceIsApplied)
{
    ASSERT_TRUE(startWindow(&m_sink, nullptr));
    bool answered = false;
    onModal<QColorDialog>([&](QColorDialog* dialog) {
        EXPECT_TRUE(dialog->testOption(QColorDialog::DontUseNativeDialog));
        answerColourChooser(dialog, QStringLiteral("#0c2238"), QDialogButtonBox::AcceptRole);
        answered = true;
    });
    trigger("mnu_fond_trouvé");
    EXPECT_TRUE(answered);
    EXPECT_EQ(soluce()->palette().color(QPalette::Base), QColor(12, 34, 56));
    EXPECT_EQ(storedLook(QStringLiteral("fond_soluce")).toLongLong(), 3678732);

    answered = false;
    onModal<QColorDialog>([&](QColorDialog* dialog) {
        answerColourChooser(dialog, QStringLiteral("#ff0000"), QDialogButtonBox::RejectRole);
        answered = true;
    });
    trigger("mnu_fond_trouvé");
    EXPECT_TRUE(answered);
    EXPECT_EQ(soluce()->palette().color(QPalette::Base), QColor(12, 34, 56));
    EXPECT_EQ(storedLook(QStringLiteral("fond_soluce")).toLongLong(), 3678732);
}

TEST_F(AppearanceMenu, ItemsAreReachedWithTheMouseThroughTheMenuBar)
{
    QMenuBar* bar = m_window->menuBar();
    auto* menu = child<QMenu>(QStringLiteral("mnu_couleur"));
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu));
    m_choosers.colour = QColor(200, 100, 50);
    auto* item = child<QAction>(QStringLiteral("mnu_fond_lettres"));
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
    // QTest's own check macros cannot fail a GoogleTest case: wait, then check.
    (void)QTest::qWaitFor(
        [&] { return lettres()->palette().color(QPalette::Base) == QColor(200, 100, 50); });
    EXPECT_EQ(lettres()->palette().color(QPalette::Base), QColor(200, 100, 50));
}

// How a test answers Qt's real font chooser: rows to click in its family, style and size lists
// and a size to type in its size field (each left alone when empty), then OK or Cancel.
struct FontAnswer {
    QString family;
    QString style;
    QString size;
    QString typedSize;
    bool accept = true;
};

// What the real chooser showed when it opened.
struct FontChooserOpening {
    bool seen = false;
    QString family;
    QString style;
    QString size;
};

// The real chooser's own widgets: its family, style and size lists, its size line edit and
// its buttons. The lists are told apart by their rows, which do not depend on the language
// of the dialog: sizes are whole numbers, families are those of the font database.
struct FontChooserWidgets {
    explicit FontChooserWidgets(QFontDialog* dialog)
    {
        const QStringList known = QFontDatabase::families();
        for (QListView* list : dialog->findChildren<QListView*>()) {
            const QString first = list->model()->index(0, 0).data().toString();
            bool number = false;
            first.toInt(&number);
            if (number)
                sizes = list;
            else if (known.contains(first))
                families = list;
            else
                styles = list;
        }
        for (QLineEdit* edit : dialog->findChildren<QLineEdit*>())
            if (qobject_cast<const QIntValidator*>(edit->validator()))
                sizeEdit = edit;
        buttons = dialog->findChild<QDialogButtonBox*>();
    }

    bool complete() const { return families && styles && sizes && sizeEdit && buttons; }

    static QString current(QListView* list) { return list->currentIndex().data().toString(); }

    // A real click on the row that reads text; false when the list has no such row.
    static bool clickRow(QListView* list, const QString& text)
    {
        const QModelIndexList found =
            list->model()->match(list->model()->index(0, 0), Qt::DisplayRole, text, 1,
                                 Qt::MatchFixedString | Qt::MatchCaseSensitive);
        if (found.isEmpty())
            return false;
        list->scrollTo(found.first());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(found.first()).center());
        return current(list) == text;
    }

    QListView* families = nullptr;
    QListView* styles = nullptr;
    QListView* sizes = nullptr;
    QLineEdit* sizeEdit = nullptr;
    QDialogButtonBox* buttons = nullptr;
};

// Answers the next modal font chooser once it is shown. A chooser that cannot be answered as
// asked is failed and rejected, so that the test goes on instead of waiting on it.
void answerNextFontChooser(const FontAnswer& answer, FontChooserOpening& opening)
{
    QTimer::singleShot(0, [answer, &opening] {
        auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            ADD_FAILURE() << "no font chooser is shown";
            return;
        }
        opening.seen = true;
        EXPECT_TRUE(dialog->testOption(QFontDialog::DontUseNativeDialog));
        const FontChooserWidgets widgets(dialog);
        if (!widgets.complete()) {
            ADD_FAILURE() << "the font chooser's lists, size field or buttons were not found";
            dialog->reject();
            return;
        }
        opening.family = FontChooserWidgets::current(widgets.families);
        opening.style = FontChooserWidgets::current(widgets.styles);
        opening.size = widgets.sizeEdit->text();

        const std::pair<QListView*, QString> clicks[] = {{widgets.families, answer.family},
                                                         {widgets.styles, answer.style},
                                                         {widgets.sizes, answer.size}};
        for (const auto& [list, row] : clicks)
            if (!row.isEmpty())
                EXPECT_TRUE(FontChooserWidgets::clickRow(list, row)) << row.toStdString();
        if (!answer.typedSize.isEmpty()) {
            widgets.sizeEdit->selectAll();
            QTest::keyClicks(widgets.sizeEdit, answer.typedSize);
        }
        const auto role = answer.accept ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel;
        QTest::mouseClick(widgets.buttons->button(role), Qt::LeftButton);
        if (dialog->isVisible()) {
            ADD_FAILURE() << "the font chooser stayed open";
            dialog->reject();
        }
    });
}

struct FontItemCase {
    const char* item;
    Pane pane;
};

void PrintTo(const FontItemCase& c, std::ostream* os)
{
    *os << c.item;
}

// The four font items with Qt's real chooser. The panes ask for Courier New at 14 pt; where
// the system lacks it, the chooser can only show the face that stands in for it.
class RealFontChooser : public AppearanceMenu, public ::testing::WithParamInterface<FontItemCase> {
  protected:
    void SetUp() override
    {
        AppearanceMenu::SetUp();
        ASSERT_TRUE(startWindow(&m_sink, nullptr));
        typeInto(propal(), QStringLiteral("LE CHAT"));
    }

    QString suffix() const { return paneSuffix(GetParam().pane); }

    // The font the pane shows; for the proposal, the font at the insertion point.
    QFont paneFont() const
    {
        if (GetParam().pane != Pane::Propal)
            return child<QWidget>(suffix())->font();
        QFont font = propal()->currentFont();
        const QStringList families = propal()->currentCharFormat().fontFamilies().toStringList();
        if (!families.isEmpty())
            font.setFamily(families.first());
        return font;
    }

    // Opens the item's chooser, answers it and checks that it was seen.
    FontChooserOpening choose(const FontAnswer& answer)
    {
        FontChooserOpening opening;
        answerNextFontChooser(answer, opening);
        trigger(GetParam().item);
        EXPECT_TRUE(opening.seen);
        return opening;
    }

    // The stored name, size, bold and italic of the item's pane.
    FontChoice storedFont() const
    {
        return {storedLook(QStringLiteral("font_name_") + suffix()).toString(),
                double(storedLook(QStringLiteral("font_size_") + suffix()).toInt()),
                storedLook(QStringLiteral("font_bold_") + suffix()).toBool(),
                storedLook(QStringLiteral("font_italic_") + suffix()).toBool()};
    }

    // A style of the family that is both bold and italic.
    static QString boldItalicStyle(const QString& family)
    {
        for (const QString& style : QFontDatabase::styles(family))
            if (QFontDatabase::bold(family, style) && QFontDatabase::italic(family, style))
                return style;
        return {};
    }
};

TEST_P(RealFontChooser, OkAsOpenedKeepsTheRequestedFamily)
{
    const QFont requested = paneFont();
    ASSERT_EQ(requested.family(), QStringLiteral("Courier New"));
    ASSERT_EQ(requested.pointSizeF(), 14.0);

    const FontChooserOpening opening = choose({});
    EXPECT_EQ(opening.family, QFontInfo(requested).family());
    EXPECT_FALSE(QFontDatabase::bold(opening.family, opening.style)) << opening.style.toStdString();
    EXPECT_FALSE(QFontDatabase::italic(opening.family, opening.style))
        << opening.style.toStdString();
    EXPECT_EQ(opening.size, QStringLiteral("14"));

    EXPECT_EQ(storedFont(), (FontChoice{QStringLiteral("Courier New"), 14, false, false}));
    const QFont shown = paneFont();
    EXPECT_EQ(shown.family(), QStringLiteral("Courier New"));
    EXPECT_EQ(shown.pointSizeF(), 14.0);
    EXPECT_TRUE(QFontInfo(shown).fixedPitch()) << QFontInfo(shown).family().toStdString();
    EXPECT_TRUE(m_sink.shown.empty());
}

TEST_P(RealFontChooser, SizeOrStyleAloneKeepsTheFamily)
{
    choose({.size = QStringLiteral("18")});
    EXPECT_EQ(storedFont(), (FontChoice{QStringLiteral("Courier New"), 18, false, false}));
    EXPECT_EQ(paneFont().pointSizeF(), 18.0);

    const QString style = boldItalicStyle(QFontInfo(paneFont()).family());
    ASSERT_FALSE(style.isEmpty());
    const FontChooserOpening opening = choose({.style = style});
    EXPECT_EQ(opening.size, QStringLiteral("18"));
    EXPECT_EQ(storedFont(), (FontChoice{QStringLiteral("Courier New"), 18, true, true}));
    const QFont shown = paneFont();
    EXPECT_EQ(shown.family(), QStringLiteral("Courier New"));
    EXPECT_TRUE(shown.bold());
    EXPECT_TRUE(shown.italic());
}

TEST_P(RealFontChooser, AnotherFamilyIsStoredAsPicked)
{
    // The set-up installs the Liberation fonts; the panes show Liberation Mono.
    const QString other = QStringLiteral("Liberation Serif");
    ASSERT_TRUE(QFontDatabase::families().contains(other));
    ASSERT_NE(QFontInfo(paneFont()).family(), other);

    choose({.family = other});
    EXPECT_EQ(storedFont(), (FontChoice{other, 14, false, false}));
    EXPECT_EQ(paneFont().family(), other);
    EXPECT_EQ(QFontInfo(paneFont()).family(), other);
}

// Everything is changed in the chooser before Cancel: nothing of it may reach the pane or file.
TEST_P(RealFontChooser, CancelLeavesPaneAndRecordAsTheyWere)
{
    const QFont before = paneFont();
    const QByteArray file = fileBytes(m_path);
    const QString family = QFontInfo(before).family();
    choose({.family = family,
            .style = boldItalicStyle(family),
            .typedSize = QStringLiteral("21"),
            .accept = false});

    const QFont after = paneFont();
    EXPECT_EQ(after.family(), before.family());
    EXPECT_EQ(after.pointSizeF(), 14.0);
    EXPECT_FALSE(after.bold());
    EXPECT_FALSE(after.italic());
    EXPECT_EQ(fileBytes(m_path), file);
    EXPECT_TRUE(m_sink.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(FourPanes, RealFontChooser,
                         ::testing::Values(FontItemCase{"mnu_font_ref", Pane::Ref},
                                           FontItemCase{"mnu_font_soluce", Pane::Soluce},
                                           FontItemCase{"mnu_font_propal", Pane::Propal},
                                           FontItemCase{"mnu_font_lettres", Pane::Lettres}),
                         [](const auto& info) {
                             return paneSuffix(info.param.pane).toStdString();
                         });

} // namespace
