// A full turn played with the mouse: "Initialiser" masks the reference, "Générer" reveals the
// letters the proposal places right and recounts, "Copier" puts the BBCode post on the
// clipboard, and the window keeps the generation marker the engine set.
#include "StoredWindowFixture.h"

#include <QClipboard>
#include <QGuiApplication>

using TurnTest = UiFixture;
using StoredTurnTest = StoredWindowFixture;

TEST_F(TurnTest, InitialiseMasksTheReferenceAndEmptiesTheProposal)
{
    typeInto(propal(), QStringLiteral("reste"));
    initialise(QStringLiteral("l'été, 2 fois."));
    EXPECT_EQ(ref()->toPlainText(), QStringLiteral("L'ÉTÉ, 2 FOIS."));
    EXPECT_EQ(soluce()->toPlainText(), QStringLiteral("*'***, 2 ****."));
    EXPECT_EQ(lettres()->toPlainText(), QStringLiteral("F I L O S T ÉÉ "));
    EXPECT_EQ(label(QStringLiteral("lettres_restantes")), QStringLiteral("8"));
    EXPECT_EQ(propal()->toPlainText(), QString());
    EXPECT_TRUE(m_sink.shown.empty());
}

TEST_F(TurnTest, FullTurnRevealsCountsAndCopiesThePost)
{
    initialise(QStringLiteral("le chat"));
    generate(QStringLiteral("la chat"));

    EXPECT_EQ(propal()->toPlainText(), QStringLiteral("LA CHAT"));
    EXPECT_EQ(soluce()->toPlainText(), QStringLiteral("L* CHAT"));
    EXPECT_EQ(label(QStringLiteral("lettres_trouvées")), QStringLiteral("5"));
    EXPECT_EQ(label(QStringLiteral("lettres_restantes")), QStringLiteral("1"));
    EXPECT_EQ(lettres()->toPlainText(), QStringLiteral("E "));
    // Writing back only what changed keeps the marker the evaluation left.
    EXPECT_EQ(m_engine->markers().generation, QStringLiteral("1"));
    EXPECT_TRUE(m_sink.shown.empty());

    clickButton(QStringLiteral("bt_copier"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              QStringLiteral("[font=Courier New][size=5]L* CHAT[/size][/font]\r"
                             "[b][color=#FF0000]5[/color][/b] lettre(s) trouvée(s). \r"
                             "[b][color=#FF0000]1[/color][/b] lettres à placer \r"
                             "[font=Courier New][size=5][color=#4132F5]E "
                             "[/color][/size][/font]\r"));

    // Editing the proposal after a revealing turn turns the marker to "0".
    typeInto(propal(), QStringLiteral("x"));
    EXPECT_EQ(m_engine->markers().generation, QStringLiteral("0"));
    EXPECT_EQ(m_engine->markers().save, QString());
}

TEST_F(TurnTest, SolvedPuzzleCopiesTheVictoryPost)
{
    initialise(QStringLiteral("le chat"));
    generate(QStringLiteral("le chat"));
    EXPECT_EQ(soluce()->toPlainText(), QStringLiteral("LE CHAT"));
    EXPECT_EQ(label(QStringLiteral("lettres_restantes")), QStringLiteral("0"));
    EXPECT_EQ(lettres()->toPlainText(), QString());

    clickButton(QStringLiteral("bt_copier"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              QStringLiteral("[font=Courier New][size=5]LE CHAT[/size][/font]\r\r"
                             "[b][color=#FF0000]Bravo, c'est gagné ![/color][/b]\r"));
}

TEST_F(TurnTest, CopyBeforeAnyGameGivesTheVictoryFormAroundNothing)
{
    QGuiApplication::clipboard()->setText(QStringLiteral("ancien"));
    clickButton(QStringLiteral("bt_copier"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              QStringLiteral("[font=Courier New][size=5][/size][/font]\r\r"
                             "[b][color=#FF0000]Bravo, c'est gagné ![/color][/b]\r"));
}

TEST_F(TurnTest, SameProposalTwiceRevealsNothingTheSecondTime)
{
    initialise(QStringLiteral("le chat"));
    generate(QStringLiteral("la chat"));
    clickButton(QStringLiteral("Générer"));
    EXPECT_EQ(label(QStringLiteral("lettres_trouvées")), QStringLiteral("0"));
    EXPECT_EQ(label(QStringLiteral("lettres_restantes")), QStringLiteral("1"));
    EXPECT_EQ(m_engine->markers().generation, QStringLiteral("0"));
}

TEST_F(StoredTurnTest, LoadedGameShowsInThePanesWithItsLineBreaks)
{
    makeSampleStore(m_path, {QStringLiteral("UPDATE données SET base = 'UN' || char(13, 10) || "
                                            "'DEUX', result = '**' || char(13, 10) || '****', "
                                            "propal = '', lettres = 'D E N UU X '"),
                             QStringLiteral("UPDATE compteurs SET nb_lettres = 6")});
    ASSERT_TRUE(startWindow());
    GameSession game;
    game.ref = QStringLiteral("UN\r\nDEUX");
    game.soluce = QStringLiteral("**\r\n****");
    game.lettres = QStringLiteral("D E N UU X ");
    game.lettres_restantes = QStringLiteral("6");
    EXPECT_EQ(soluce()->toPlainText(), QStringLiteral("**\n****"));
    EXPECT_EQ(m_window->currentGame(), game);
    EXPECT_EQ(m_game->session(), game);
}
