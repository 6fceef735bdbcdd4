// A proposal word of the wrong length opens the modeless dialog form_message with the two words
// and the word's number, in front even when it was already open, and the panes show the turn
// rolled back; answering it (OK, Escape, its frame) gives the keyboard back to the proposal with
// its word selected in red. A blank after an apostrophe leaves the pane, keeping the untouched
// characters' format.
#include "UiFixture.h"

#include <QDialog>
#include <QTest>
#include <QTextCursor>

class ConflictTest : public UiFixture {
  protected:
    static QDialog* dialog() { return topLevel<QDialog>("form_message"); }
    QString dialogLabel(const char* name) const
    {
        auto* label = dialog()->findChild<QLabel*>(QString::fromUtf8(name));
        EXPECT_NE(label, nullptr) << name;
        return label ? label->text() : QString();
    }
};

TEST_F(ConflictTest, WrongLengthOpensTheDialogAndRollsTheTurnBack)
{
    initialise(QStringLiteral("mais le chat"));
    generate(QStringLiteral("mais la chat"));
    ASSERT_EQ(soluce()->toPlainText(), QStringLiteral("MAIS L* CHAT"));
    EXPECT_EQ(dialog(), nullptr) << "no conflict yet";

    generate(QStringLiteral("mai sle chat"));
    ASSERT_NE(dialog(), nullptr);
    EXPECT_TRUE(dialog()->isVisible());
    EXPECT_FALSE(dialog()->isModal());
    EXPECT_EQ(dialog()->objectName(), QStringLiteral("form_message"));
    EXPECT_EQ(dialog()->parentWidget(), nullptr) << "opened without an owner";
    EXPECT_EQ(dialog()->windowTitle(), QStringLiteral("Plimo"));
    EXPECT_EQ(dialog()->size(), QSize(504, 295));
    // The found word shows as the accepted turn left it.
    EXPECT_EQ(dialogLabel("err_label_soluce"), QStringLiteral("MAIS"));
    EXPECT_EQ(dialogLabel("err_label_propal"), QStringLiteral("MAI"));
    EXPECT_EQ(dialogLabel("err_label_position"), QStringLiteral("1"));
    EXPECT_EQ(dialogLabel("Label1"),
              QStringLiteral("Les zones Texte trouvé et Proposition sont de tailles différentes."));
    EXPECT_EQ(dialogLabel("label_soluce"), QStringLiteral("Texte trouvé ="));
    EXPECT_EQ(dialogLabel("label_propal"), QStringLiteral("Texte proposé = "));
    EXPECT_EQ(dialogLabel("label_position"), QStringLiteral("Position du mot = "));
    EXPECT_EQ(dialogLabel("Label2"), QStringLiteral("Merci de corriger le mot proposé et de "
                                                    "resoumettre la vérification."));
    auto* image = dialog()->findChild<QLabel*>(QStringLiteral("Image1"));
    ASSERT_NE(image, nullptr);
    EXPECT_FALSE(image->pixmap().isNull());

    // The panes show the accepted turn the game rolled back to.
    EXPECT_EQ(soluce()->toPlainText(), QStringLiteral("MAIS L* CHAT"));
    EXPECT_TRUE(m_sink.shown.empty());
}

// However the master answers the dialog, the keyboard is back in the proposal with the word
// selected in red, so that typing replaces it.
TEST_F(ConflictTest, AnsweringTheDialogSelectsTheProposalWordForTyping)
{
    const std::pair<const char*, std::function<void(QDialog*)>> answers[] = {
        {"OK", [this](QDialog* d) { click(d->findChild<QPushButton*>(QStringLiteral("bt_non"))); }},
        {"Escape", [](QDialog* d) { QTest::keyClick(d, Qt::Key_Escape); }},
        {"frame", [](QDialog* d) { d->close(); }},
    };
    for (const auto& [name, answer] : answers) {
        SCOPED_TRACE(name);
        initialise(QStringLiteral("mais le"));
        generate(QStringLiteral("mai sle"));
        ASSERT_NE(dialog(), nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog()));
        answer(dialog());

        EXPECT_FALSE(dialog()->isVisible());
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
        EXPECT_EQ(QApplication::focusWidget(), propal());
        const QTextCursor selection = propal()->textCursor();
        EXPECT_EQ(selection.selectionStart(), 0);
        EXPECT_EQ(selection.selectionEnd(), 3);
        for (int pos = 0; pos < 3; ++pos)
            EXPECT_EQ(proposalFormatAt(pos).foreground().color(), QColor(255, 0, 0)) << pos;
        EXPECT_NE(proposalFormatAt(3).foreground().color(), QColor(255, 0, 0));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("MAIS"));
        EXPECT_EQ(propal()->toPlainText(), QStringLiteral("MAIS SLE"));
    }
}

TEST_F(ConflictTest, ConflictWhileOpenUpdatesTheDialogAndIsRolledBackToo)
{
    initialise(QStringLiteral("mais le chat"));
    generate(QStringLiteral("mai sle chat"));
    ASSERT_NE(dialog(), nullptr);
    ASSERT_EQ(dialogLabel("err_label_position"), QStringLiteral("1"));

    // The main window stays usable beside the open dialog.
    m_window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    generate(QStringLiteral("mais l chat"));
    EXPECT_TRUE(dialog()->isVisible());
    EXPECT_TRUE(QTest::qWaitForWindowActive(dialog())) << "the dialog comes to the front";
    EXPECT_EQ(dialogLabel("err_label_soluce"), QStringLiteral("**"));
    EXPECT_EQ(dialogLabel("err_label_propal"), QStringLiteral("L"));
    EXPECT_EQ(dialogLabel("err_label_position"), QStringLiteral("2"));
    EXPECT_EQ(soluce()->toPlainText(), QStringLiteral("**** ** ****"));

    click(dialog()->findChild<QPushButton*>(QStringLiteral("bt_non")));
    EXPECT_EQ(propal()->textCursor().selectionStart(), 5);
    EXPECT_EQ(propal()->textCursor().selectionEnd(), 6);
    EXPECT_EQ(proposalFormatAt(5).foreground().color(), QColor(255, 0, 0));

    // A dialog left open is stale once a proposal is accepted.
    m_window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    generate(QStringLiteral("mai sle chat"));
    ASSERT_TRUE(dialog()->isVisible());
    m_window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    generate(QStringLiteral("mais la chat"));
    EXPECT_FALSE(dialog()->isVisible());
}

TEST_F(ConflictTest, BlankAfterApostropheGoesAndUntouchedFormattingStays)
{
    initialise(QStringLiteral("l'arbre tombe"));
    clickButton(QStringLiteral("Command1"));
    typeInto(propal(), QStringLiteral("L' ARBRE TOMBE"));
    QTextCursor bold(propal()->document());
    bold.setPosition(10);
    bold.setPosition(14, QTextCursor::KeepAnchor);
    QTextCharFormat format;
    format.setFontWeight(QFont::Bold);
    bold.mergeCharFormat(format);

    clickButton(QStringLiteral("Générer"));
    EXPECT_EQ(propal()->toPlainText(), QStringLiteral("L'ARBRE TOMBE"));
    EXPECT_EQ(soluce()->toPlainText(), QStringLiteral("L'ARBRE TOMBE"));
    EXPECT_EQ(proposalFormatAt(9).fontWeight(), QFont::Bold);
}
