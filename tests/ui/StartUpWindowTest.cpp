// The window on the game it starts with: the stored game and look shown over the design-time
// look, with the cursor in the proposal when a game is in progress and else in the reference;
// the window at its design place; an empty proposal typing in the stored look from its first
// character; "OK" of a conflict selecting the word where the pane shows it; and a game left
// unsaved taken up through the real question box.
#include "UiFixture.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTextCursor>

namespace {

const QStringList kSampleShown = {QStringLiteral("LE CHAT"), QStringLiteral("** ****"),
                                  QStringLiteral("LE CHIEN"), QStringLiteral("A C H T "),
                                  QStringLiteral("4")};

using StartUpTest = UiFixture;

TEST_F(StartUpTest, ShowsTheStoredGameAndLookWithTheCursorWhereTheGameStands)
{
    // Without a game in progress the first paste goes to the reference.
    EXPECT_EQ(QApplication::focusWidget(), ref());
    ASSERT_TRUE(startOnSample({QStringLiteral("UPDATE couleurs SET police_propal = 255, "
                                              "font_name_propal = 'Arial', "
                                              "font_italic_propal = 1")}));
    EXPECT_EQ(shown(), kSampleShown);
    EXPECT_EQ(label(QStringLiteral("lettres_trouvées")), QStringLiteral("0"));
    // A game is in progress: the first paste must go to the proposal, not to the hidden text.
    EXPECT_EQ(QApplication::focusWidget(), propal());
    EXPECT_EQ(ref()->palette().color(QPalette::Base), QColor(100, 0, 0));
    EXPECT_EQ(ref()->font().family(), QStringLiteral("Arial"));
    EXPECT_TRUE(ref()->font().bold());

    // Every character of the proposal, and the insertion point after them, take the stored
    // proposal colour and font.
    const int length = static_cast<int>(propal()->toPlainText().size());
    for (int index = 0; index < length; ++index) {
        const QTextCharFormat format = proposalFormatAt(index);
        EXPECT_EQ(format.foreground().color(), QColor(255, 0, 0)) << index;
        EXPECT_EQ(format.fontFamilies().toStringList(), QStringList{QStringLiteral("Arial")});
        EXPECT_TRUE(format.fontItalic()) << index;
        EXPECT_EQ(format.fontWeight(), QFont::Bold) << index;
    }
    EXPECT_EQ(propal()->textCursor().position(), length);
    EXPECT_FALSE(propal()->textCursor().hasSelection());
    EXPECT_EQ(propal()->currentCharFormat().foreground().color(), QColor(255, 0, 0));
    EXPECT_TRUE(propal()->currentCharFormat().fontItalic());
}

// A game whose program ended without saving: Qt's own question box asks before the window shows,
// Oui its default, and its Oui brings the turn back to the window, unsaved.
TEST_F(StartUpTest, TheRealQuestionBoxTakesUpAGameLeftUnsaved)
{
    ASSERT_TRUE(startOnSample());
    m_game->proposalEdited(QStringLiteral("LE CHAT"));
    m_game->generate({});
    const QStringList played = shown();
    endWindow();

    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool yesByDefault = false;
    onModal<QMessageBox>([&](QMessageBox* box) {
        text = box->text();
        icon = box->icon();
        yesByDefault = box->defaultButton() == box->button(QMessageBox::Yes);
        box->button(QMessageBox::Yes)->click();
    });
    ASSERT_TRUE(startWindow(nullptr, &m_choosers));
    EXPECT_EQ(text, QStringLiteral("Plimo s'est arrêté sans enregistrer cette partie. Reprendre "
                                   "le tour joué depuis le dernier enregistrement ?"));
    EXPECT_EQ(icon, QMessageBox::Question);
    EXPECT_TRUE(yesByDefault);
    EXPECT_EQ(shown(), played);
    EXPECT_TRUE(m_game->isModified());
}

TEST_F(StartUpTest, PlacesTheWindowAtItsDesignPlace)
{
    const QPoint screenCorner = m_window->screen()->geometry().topLeft();
    EXPECT_EQ(m_window->frameGeometry().topLeft(), screenCorner + QPoint(13, 13));
    EXPECT_EQ(m_window->frameGeometry().height(), 702);
}

// However the proposal pane was emptied, the first character typed takes the stored look, not
// the design-time one that the pane's first line was built with.
TEST_F(StartUpTest, AnEmptyProposalTypesInTheStoredLookFromTheFirstCharacter)
{
    const QString lines =
        QStringLiteral("UPDATE \"données\" SET propal = 'UN' || char(13, 10) || 'DEUX'");
    const struct {
        QString storedProposal;
        const char* emptiedBy; // a button, or nothing
    } cases[] = {{QStringLiteral("UPDATE \"données\" SET propal = ''"), nullptr},
                 {lines, "Command1"},
                 {lines, "init"}};
    for (const auto& c : cases) {
        ASSERT_TRUE(startOnSample(
            {c.storedProposal, QStringLiteral("UPDATE couleurs SET police_propal = 65280, "
                                              "font_name_propal = 'Arial'")}));
        if (c.emptiedBy)
            clickButton(QString::fromUtf8(c.emptiedBy));
        typeInto(propal(), QStringLiteral("A"));
        EXPECT_EQ(propal()->toPlainText(), QStringLiteral("A"));
        EXPECT_EQ(proposalFormatAt(0).foreground().color(), QColor(0, 255, 0));
        EXPECT_EQ(proposalFormatAt(0).fontFamilies().toStringList(),
                  QStringList{QStringLiteral("Arial")})
            << (c.emptiedBy ? c.emptiedBy : "stored empty");
    }
}

// A game in progress starts with the cursor in the proposal, so a stored proposal with line breaks
// is tidied as the focus leaves it for "Générer"; "OK" selects the word where the pane shows it.
TEST_F(StartUpTest, OkSelectsTheConflictWordOfAStoredProposalWithLineBreaks)
{
    ASSERT_TRUE(startOnSample({QStringLiteral("UPDATE \"données\" SET "
                                              "base = 'UN' || char(13, 10) || 'DEUX TROIS', "
                                              "result = '**' || char(13, 10) || '**** *****', "
                                              "propal = 'UN' || char(13, 10) || 'DEU TROIS'")}));
    clickButton(QStringLiteral("Générer"));
    ASSERT_EQ(propal()->toPlainText(), QStringLiteral("UN DEU TROIS"));
    auto* dialog = topLevel<QDialog>("form_message");
    ASSERT_NE(dialog, nullptr);
    const QString word = dialog->findChild<QLabel*>(QStringLiteral("err_label_propal"))->text();
    ASSERT_FALSE(word.isEmpty());
    click(dialog->findChild<QPushButton*>(QStringLiteral("bt_non")));

    const QTextCursor selection = propal()->textCursor();
    EXPECT_EQ(selection.selectedText(), word);
    for (int index = selection.selectionStart(); index < selection.selectionEnd(); ++index)
        EXPECT_EQ(proposalFormatAt(index).foreground().color(), QColor(255, 0, 0)) << index;
    EXPECT_NE(proposalFormatAt(0).foreground().color(), QColor(255, 0, 0));
}

} // namespace
