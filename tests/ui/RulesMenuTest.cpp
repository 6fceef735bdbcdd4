// «Fichier → Règles du fil»: each item shows the game's rule and stores its choice with the game at
// once; hiding every letter on a puzzle in play says it waits for the next «Initialiser».
#include "UiFixture.h"

#include <QMenu>

using RulesMenuTest = UiFixture;

TEST_F(RulesMenuTest, ItemsStoreTheRuleAndEveryLetterWaitsForTheNextPuzzle)
{
    ASSERT_TRUE(startOnSample());
    auto* allLetters = child<QAction>(QStringLiteral("mnu_regle_toutes_lettres"));
    auto* accents = child<QAction>(QStringLiteral("mnu_regle_accents"));
    ASSERT_EQ(child<QMenu>(QStringLiteral("mnu_regles"))->actions(),
              (QList<QAction*>{allLetters, accents}));
    EXPECT_FALSE(allLetters->isChecked());

    accents->trigger();
    EXPECT_TRUE(accents->isChecked());
    EXPECT_EQ(stored(QStringLiteral("SELECT accents_facultatifs FROM options")).toInt(), 1);
    EXPECT_TRUE(m_sink.shown.empty());

    allLetters->trigger();
    EXPECT_EQ(stored(QStringLiteral("SELECT toutes_lettres FROM options")).toInt(), 1);
    ASSERT_EQ(m_sink.shown.size(), 1u);
    EXPECT_EQ(m_sink.shown[0].text,
              QStringLiteral("La règle s'appliquera à la prochaine énigme (Initialiser)."));
    EXPECT_EQ(m_sink.shown[0].icon, MessageIcon::Information);
    EXPECT_EQ(soluce()->toPlainText(), QStringLiteral("** ****"));
    initialise(QStringLiteral(" DUFAŸ"));
    EXPECT_EQ(soluce()->toPlainText(), QStringLiteral("** **** *****"));
}
