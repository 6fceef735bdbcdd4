// The fixed tables built at start-up and the remaining-letters format: the version string, the
// 55-character word set laid out in slots 1 to 55, which characters count as word characters,
// and how the letter counts are written in the initialisation and the recount display orders.
#include "EngineTestSupport.h"

namespace {

TEST(StartUpValues, VersionAndConflictPosition)
{
    const PuzzleEngine engine;
    EXPECT_EQ(engine.version(), QStringLiteral("2.5.0"));
    EXPECT_EQ(engine.conflictPosition(), 0);
}

// Slot n holds the n-th character of the set; slot 0 and the slots after 55 stay empty.
TEST(CharacterTable, SlotsHoldTheCharacterSetFromOne)
{
    const QString expected =
        QStringLiteral(".,(’)]'[²/*-ABCDEFGHIJKLMNOPQRSTUVWXYZÀÉÈÙÂÊÎÔÛÄËÏÖÜÇŒÆ");
    ASSERT_EQ(expected.size(), 55);
    const PuzzleEngine engine;
    EXPECT_EQ(engine.characterSet(), expected);
    for (int slot = 1; slot <= 55; ++slot) {
        EXPECT_EQ(engine.characterTable().at(slot), QString(expected.at(slot - 1))) << slot;
        EXPECT_TRUE(engine.isWordCharacter(expected.at(slot - 1))) << slot;
    }
    for (int slot : {0, 56, 60})
        EXPECT_EQ(engine.characterTable().at(slot), QString()) << "slot " << slot;
}

TEST(CharacterTable, EverythingElseSeparatesWords)
{
    const QString separators = QStringLiteral(" !?:;\"«»a1é\r\n\tµ_+ÿ");
    const PuzzleEngine engine;
    for (QChar c : separators)
        EXPECT_FALSE(engine.isWordCharacter(c)) << QString(c).toStdString();
    // An empty slot must not make the null character a word character.
    EXPECT_FALSE(engine.isWordCharacter(QChar(u'\0')));
}

// Counts of one reference text written in both display orders.
struct OrderCase {
    const char* name;
    QString reference;
    QString initialisationText;
    QString recountText;
    int count;
};

class DisplayOrderTest : public testing::TestWithParam<OrderCase> {};

TEST_P(DisplayOrderTest, InitialisationAndRecountWriteTheirOwnOrder)
{
    const OrderCase& c = GetParam();
    PuzzleEngine engine;
    GameSession session = initialisedSession(engine, c.reference);
    EXPECT_EQ(session.lettres, c.initialisationText);
    EXPECT_EQ(session.lettres_restantes, QString::number(c.count));

    // With nothing revealed the recount finds the same counts and writes its own order.
    engine.recountLetters(session);
    EXPECT_EQ(session.lettres, c.recountText);
    EXPECT_EQ(session.lettres_restantes, QString::number(c.count));

    const RemainingLetters formatted =
        engine.formatRemainingLetters(alphabet::DisplayOrder::Recount);
    EXPECT_EQ(formatted.text, c.recountText);
    EXPECT_EQ(formatted.count, c.count);
}

const OrderCase kOrderCases[] = {
    {"Example", QStringLiteral("ALLEZ ÉLÉONORE"), QStringLiteral("A EE LLL N OO R Z ÉÉ "),
     QStringLiteral("A EE LLL N OO R Z ÉÉ "), 13},
    {"AGraveACircumflexCCedilla", QStringLiteral("ÂÇÀ"), QStringLiteral("À Â Ç "),
     QStringLiteral("À Ç Â "), 3},
    {"AccentsAfterAtoZ", QStringLiteral("ÉÂÇÉA"), QStringLiteral("A Â Ç ÉÉ "),
     QStringLiteral("A Ç ÉÉ Â "), 5},
    {"AllElevenAccented", QStringLiteral("ÎÔŒÛÙÊÈÉÇÂÀ"), QStringLiteral("À Â Ç É È Ê Ù Û Œ Ô Î "),
     QStringLiteral("À Ç Ù É Û Â Ê È Œ Ô Î "), 11},
    {"LetterRepeatedThenOneSpace", QStringLiteral("ZZZA"), QStringLiteral("A ZZZ "),
     QStringLiteral("A ZZZ "), 4},
    {"NothingHidden", QStringLiteral("ÄËÏÖÜÆ aé19 ?!"), QString(), QString(), 0},
    {"SingleSpace", QStringLiteral(" "), QString(), QString(), 0},
};

INSTANTIATE_TEST_SUITE_P(Orders, DisplayOrderTest, testing::ValuesIn(kOrderCases),
                         caseName<OrderCase>);

} // namespace
