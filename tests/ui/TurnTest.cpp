// A turn played with the mouse: "Initialiser" shows the masked reference, the remaining letters
// and their count, "Générer" what the turn revealed and the counts, and "Copier" puts the game's
// post on the clipboard, as text and as HTML; without a puzzle neither «Copier» nor the preview
// gives one. A stored game shows in the panes with its line breaks. An earlier turn's proposal
// asks in Qt's own box, whose Entrée answers Non.
#include "UiFixture.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>

using TurnTest = UiFixture;

TEST_F(TurnTest, APlayedTurnShowsInThePanesAndCopiesThePost)
{
    initialise(QStringLiteral("le chat"));
    EXPECT_EQ(shown(), (QStringList{QStringLiteral("LE CHAT"), QStringLiteral("** ****"), "",
                                    QStringLiteral("A C E H L T "), QStringLiteral("6")}));

    generate(QStringLiteral("la chat"));
    EXPECT_EQ(shown(),
              (QStringList{QStringLiteral("LE CHAT"), QStringLiteral("L* CHAT"),
                           QStringLiteral("LA CHAT"), QStringLiteral("E "), QStringLiteral("1")}));
    EXPECT_EQ(label(QStringLiteral("lettres_trouvées")), QStringLiteral("5"));
    EXPECT_TRUE(m_sink.shown.empty());

    QGuiApplication::clipboard()->setText(QStringLiteral("ancien"));
    clickButton(QStringLiteral("bt_copier"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), m_game->forumPost().text);
    EXPECT_TRUE(QGuiApplication::clipboard()->text().contains(QStringLiteral("L* CHAT")));
}

// Without a puzzle the engine's post would announce a victory: «Copier» says there is no game and
// leaves the clipboard as it was, and the preview says the same.
TEST_F(TurnTest, WithoutAPuzzleCopierAndThePreviewGiveNoPost)
{
    typeInto(ref(), QStringLiteral("le chat"));
    QGuiApplication::clipboard()->setText(QStringLiteral("ancien"));
    clickButton(QStringLiteral("bt_copier"));
    ASSERT_EQ(m_sink.shown.size(), 1u);
    EXPECT_EQ(m_sink.shown[0].text, messages::kNoGame);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("ancien"));
    trigger("mnu_apercu");
    auto* preview = topLevel("form_apercu")->findChild<QTextBrowser*>(QStringLiteral("apercu"));
    EXPECT_EQ(preview->toPlainText(), messages::kNoGame);
}

// A rich-text editor takes the HTML: the same text escaped, a <br> for each line's CR.
TEST_F(TurnTest, CopierOffersThePostAsTextAndAsHtml)
{
    initialise(QStringLiteral("le <chat> & rat"));
    clickButton(QStringLiteral("bt_copier"));
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(data);
    EXPECT_EQ(data->text(),
              QStringLiteral("[font=Courier New][size=5]** <****> & ***[/size][/font]\r"
                             "[b][color=#FF0000]0[/color][/b] lettre(s) trouvée(s). \r"
                             "[b][color=#FF0000]9[/color][/b] lettres à placer \r"
                             "[font=Courier New][size=5][color=#4132F5]AA C E H L R TT "
                             "[/color][/size][/font]\r"));
    EXPECT_EQ(data->html(),
              QStringLiteral("[font=Courier New][size=5]** &lt;****&gt; &amp; ***[/size][/font]<br>"
                             "[b][color=#FF0000]0[/color][/b] lettre(s) trouvée(s). <br>"
                             "[b][color=#FF0000]9[/color][/b] lettres à placer <br>"
                             "[font=Courier New][size=5][color=#4132F5]AA C E H L R TT "
                             "[/color][/size][/font]<br>"));
}

TEST_F(TurnTest, AStoredGameShowsInThePanesWithItsLineBreaks)
{
    ASSERT_TRUE(startOnSample({QStringLiteral("UPDATE données SET base = 'UN' || char(13, 10) || "
                                              "'DEUX', result = '**' || char(13, 10) || '****'")}));
    EXPECT_EQ(ref()->toPlainText(), QStringLiteral("UN\nDEUX"));
    EXPECT_EQ(soluce()->toPlainText(), QStringLiteral("**\n****"));
    EXPECT_EQ(m_game->session().soluce, QStringLiteral("**\r\n****"));
}

TEST_F(TurnTest, EntreeAnswersNonWhenAnEarlierTurnsProposalIsPlayedAgain)
{
    ASSERT_TRUE(startWindow(nullptr, &m_choosers));
    initialise(QStringLiteral("le chat"));
    generate(QStringLiteral("la chat"));
    generate(QStringLiteral("lu chat"));
    const qsizetype turns = m_game->turnCount();
    QString text;
    bool noByDefault = false;
    onModal<QMessageBox>([&](QMessageBox* box) {
        text = box->text();
        noByDefault = box->defaultButton() == box->button(QMessageBox::No);
        QTest::keyClick(box, Qt::Key_Return);
    });
    generate(QStringLiteral("la chat"));
    EXPECT_EQ(text, QStringLiteral(
                        "Cette proposition a déjà été jouée au tour 1. La jouer quand même ?"));
    EXPECT_TRUE(noByDefault);
    EXPECT_EQ(m_game->turnCount(), turns);
}
