// Shared set-up of the controller tests: a controller on a store file of its own, and the
// games the tests play.
#pragma once

#include "GameController.h"
#include "GamePrinters.h"
#include "PlayOn.h"
#include "StoreFiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <vector>

// The game most tests play: "LE CHAT DORT", then two accepted turns that solve it.
namespace dort {
inline const QString kReference = QStringLiteral("LE CHAT DORT");
inline const QString kFirst = QStringLiteral("LA CHAR DORS");
inline const QString kSecond = QStringLiteral("LE CHAT DORT");
// Two proposals that align with the reference and reveal nothing after kFirst.
inline const QString kNothingNew = QStringLiteral("LI CHAS DORE");
inline const QString kNothingNewEither = QStringLiteral("LU CHIS DORA");
// A proposal whose second word is one letter too long.
inline const QString kTooLong = QStringLiteral("LE CHATS DORT");

inline const Turn kTurn0{QString(), QStringLiteral("** **** ****"), 0, 10,
                         QStringLiteral("A C D E H L O R TT ")};
inline const Turn kTurn1{kFirst, QStringLiteral("L* CHA* DOR*"), 7, 3, QStringLiteral("E TT ")};
inline const Turn kTurn2{kSecond, kSecond, 3, 0, QString()};
} // namespace dort

// What a turn shows in the panes and the two count captions, the proposal left aside.
inline void expectShows(const GameController& game, const Turn& turn)
{
    EXPECT_EQ(game.session().soluce, turn.result);
    EXPECT_EQ(game.session().lettres, turn.lettres);
    EXPECT_EQ(game.session().lettres_trouvees, turn.trouvees);
    EXPECT_EQ(game.session().lettres_restantes, turn.restantes);
}

// A file that no game opens from, and words of the reason the critical box gives. The read
// permission is refused only under a PermissionsBind.
struct UnopenableFile {
    const char* name;
    std::function<void(const QString&)> make;
    const char* reason;
};

// Every kind of file a game cannot be opened from; the last is a sound game that `holder`, as
// another Plimo, keeps open.
inline std::vector<UnopenableFile> unopenableFiles(QProcess& holder)
{
    return {
        {"not a database", [](const QString& path) { writeBytes(path, "Pas une partie."); },
         "n'est pas une partie"},
        {"empty file", [](const QString& path) { writeBytes(path, ""); }, "n'est pas une partie"},
        {"folder", [](const QString& path) { QDir().mkdir(path); }, "ne peut pas être lu"},
        {"no read permission",
         [](const QString& path) {
             makeSampleStore(path);
             QFile::setPermissions(path, QFileDevice::WriteOwner);
         },
         "ne peut pas être lu"},
        {"no données", sampleWith({QStringLiteral("DROP TABLE \"données\"")}), "« données »"},
        {"open in another Plimo",
         [&holder](const QString& path) {
             makeSampleStore(path);
             holder.start(QStringLiteral(STORE_TEST_HELPER),
                          {QStringLiteral("hold-game-lock"), path});
             holder.waitForReadyRead(10000);
         },
         "Cette partie est déjà ouverte dans un autre Plimo."},
    };
}

class ControllerTest : public ::testing::Test {
  protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("plimo.mdb"));
    }

    // The sample store ("LE CHAT", found "** ****", proposal "LE CHIEN", count 4), opened.
    void startOnSample(const QStringList& changes = {})
    {
        ASSERT_NO_FATAL_FAILURE(makeSampleStore(m_path, changes));
        const std::optional<Refusal> refused = m_game.openGame(m_path);
        ASSERT_FALSE(refused) << refused->text.toStdString();
    }

    // The sample store with these changes, opened and saved at once: the game as its file holds
    // it.
    void startSaved(const QStringList& changes = {})
    {
        ASSERT_NO_FATAL_FAILURE(startOnSample(changes));
        ASSERT_FALSE(m_game.save());
        ASSERT_FALSE(m_game.isModified());
    }

    // A new puzzle from this reference text.
    void newPuzzle(const QString& reference)
    {
        m_game.referenceEdited(reference);
        const std::optional<Refusal> refusal = m_game.initialise();
        ASSERT_FALSE(refusal) << refusal->text.toStdString();
    }

    // Pastes the proposal and plays it; the turn must be accepted.
    void play(const QString& proposal)
    {
        m_game.proposalEdited(proposal);
        const EvaluationResult result = m_game.generate(playOn);
        ASSERT_FALSE(result.refusal) << result.refusal->text.toStdString();
        ASSERT_FALSE(result.conflict) << result.conflict->proposalWord.toStdString();
    }

    // "LE CHAT DORT" initialised, then its two turns played.
    void playBothTurns()
    {
        ASSERT_NO_FATAL_FAILURE(newPuzzle(dort::kReference));
        ASSERT_NO_FATAL_FAILURE(play(dort::kFirst));
        ASSERT_NO_FATAL_FAILURE(play(dort::kSecond));
    }

    QTemporaryDir m_dir; // outlives the controller, whose store lies in it
    QString m_path;
    GameController m_game;
};
