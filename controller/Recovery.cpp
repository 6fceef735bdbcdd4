// The recovery record's part in the game: what each act brings to it, and the question at the
// opening of a game that has one.
#include "Recovery.h"

#include "GameFile.h"
#include "GameStore.h"
#include "StoreError.h"

#include <algorithm>
#include <utility>

namespace {

const QString kQuestion = QStringLiteral(
    "Plimo s'est arrêté sans enregistrer cette partie. Reprendre %1 depuis le dernier "
    "enregistrement ?");
const QString kLeftQuestion = QStringLiteral(
    "La partie a été quittée sans enregistrer %1 depuis le dernier enregistrement. Les "
    "reprendre ?");
const QString kUnreadable =
    QStringLiteral("Plimo s'est arrêté sans enregistrer cette partie, mais sa copie de secours ne "
                   "peut pas être reprise : %1.\r%2\rLa partie s'ouvre telle qu'elle a été "
                   "enregistrée.");
const QString kKeptAside = QStringLiteral("La copie est gardée telle quelle dans %1");
const QString kNotAside =
    QStringLiteral("La copie n'a pas pu être mise de côté (%1) : elle reste telle quelle dans %2");
const QString kSavedHistoryUnreadable =
    QStringLiteral("l'historique enregistré de la partie ne peut plus être relu");
const QString kNotKept = QStringLiteral(
    "La copie de secours de la partie n'a pas pu être écrite : si Plimo s'arrêtait maintenant, "
    "ce qui a été joué depuis le dernier enregistrement serait perdu. Enregistrez la partie.");

// What the question offers to take up: the turns played since the save, or the changes alone;
// the turns of a game left on purpose are counted without their article.
QString whatIsOffered(qsizetype played, bool left)
{
    if (played == 0)
        return QStringLiteral("les modifications");
    if (played == 1)
        return QStringLiteral("le tour joué");
    return (left ? QStringLiteral("%1 tours joués") : QStringLiteral("les %1 tours joués"))
        .arg(played);
}

} // namespace

void Recovery::offer(StoredGame& stored, const Asker& ask)
{
    GameStore& store = m_file.store();
    RecoveryReading reading = store.readRecovery();
    if (reading.kind == RecoveryReading::Kind::None)
        return;
    std::optional<StoredHistory> history;
    if (reading.kind == RecoveryReading::Kind::Readable &&
        !(history = recoveredHistory(reading, stored.history.has_value()))) {
        reading.kind = RecoveryReading::Kind::Unreadable;
        reading.reason = kSavedHistoryUnreadable;
    }
    if (reading.kind == RecoveryReading::Kind::Unreadable) {
        QString why;
        const std::optional<QString> aside = store.setRecoveryAside(&why);
        const QString kept = aside ? kKeptAside.arg(nativePath(*aside))
                                   : kNotAside.arg(why, nativePath(store.recoveryPath()));
        if (ask)
            ask({kUnreadable.arg(reading.reason, kept), MessageIcon::Warning,
                 Question::Buttons::Ok});
        return;
    }
    const RecoveryRecord& game = reading.game;
    // Turn 0 is the puzzle as initialised, not a turn played.
    const qsizetype played =
        std::max<qsizetype>(0, game.turnCount - std::max<qsizetype>(game.savedTurns, 1));
    const Question question{
        (game.left ? kLeftQuestion : kQuestion).arg(whatIsOffered(played, game.left)),
        MessageIcon::Question, Question::Buttons::YesNo};
    if (!ask || ask(question) != Answer::Yes) {
        store.dropRecovery();
        return;
    }
    store.resumeRecovery();
    stored.session = game.session;
    stored.player = game.player;
    stored.thread = game.thread;
    stored.history = std::move(history);
    // The file holds the saved turns, but for those the record holds itself (corrected since).
    StoredTurns held{std::min(game.savedTurns, game.turnCount), {}};
    for (auto turn = reading.turns.keyBegin(); turn != reading.turns.keyEnd(); ++turn)
        if (*turn < held.count)
            held.changed.insert(*turn);
    store.holds(std::move(held));
    m_turns.clear();
    m_wipe = false;
    m_taken = true;
}

std::optional<StoredHistory> Recovery::recoveredHistory(const RecoveryReading& reading,
                                                        bool savedHistory)
{
    const qsizetype size = reading.game.turnCount;
    const qsizetype saved = std::min(reading.game.savedTurns, size);
    if (saved > 0 && !savedHistory)
        return std::nullopt;
    const qsizetype firstHeld = reading.turns.isEmpty() ? size : reading.turns.firstKey();
    // At hand from the first turn the record holds, and at least the last one.
    const qsizetype first = std::max<qsizetype>(0, std::min(size - 1, firstHeld));
    QList<Turn> latest;
    if (first < saved) {
        std::optional<QList<Turn>> savedTurns = m_file.loadTurns(first, saved);
        if (!savedTurns)
            return std::nullopt;
        latest = std::move(*savedTurns);
    }
    for (auto turn = reading.turns.constBegin(); turn != reading.turns.constEnd(); ++turn) {
        const qsizetype at = turn.key() - first;
        if (at < latest.size())
            latest[at] = turn.value();
        else
            latest.append(turn.value());
    }
    return StoredHistory{latest, first, true};
}

std::optional<Refusal> Recovery::actEnded(const Announcer::Ending& ending, RecoveryRecord shown)
{
    const qsizetype size = m_history.size();
    shown.turnCount = size;
    shown.savedTurns = savedTurns();
    if (std::exchange(m_reset, false) || ending.gameOpened) {
        m_recorded = m_taken;
        if (!std::exchange(m_taken, false)) {
            m_turns.clear();
            // Turns the saved history does not hold, such as a turn 0 made afresh at opening.
            for (qsizetype number = shown.savedTurns; number < size; ++number)
                m_turns.insert(number);
            m_wipe = false;
        }
        m_written = shown;
        m_behind = m_threadBehind = false;
        return std::nullopt;
    }
    if (ending.historyReset) {
        // Whatever the record held goes; what the file does not hold of the new history comes.
        m_wipe = m_behind = true;
        m_turns = m_file.store().storedTurns().changed;
        for (qsizetype number = shown.savedTurns; number < size; ++number)
            m_turns.insert(number);
    }
    m_threadBehind = m_threadBehind || ending.threadChanged;
    for (const auto& [change, number] : ending.turns) {
        m_behind = true;
        if (change != Announcer::TurnChange::Undone)
            m_turns.insert(number);
    }
    // A game left on purpose and kept open (no other game chosen) is no change of its own.
    shown.left = m_written.left;
    if (ending.typing || !m_file.isOpen() || (!m_behind && shown == m_written))
        return std::nullopt;
    shown.left = false;
    return write(shown);
}

void Recovery::left(RecoveryRecord shown)
{
    shown.turnCount = m_history.size();
    shown.savedTurns = savedTurns();
    shown.left = true;
    RecoveryRecord asLeft = m_written;
    asLeft.left = true;
    // Nothing beyond what the file holds, or the record already keeps the game as left.
    if (!m_file.isOpen() || (!m_behind && shown == asLeft && (!m_recorded || m_written.left)))
        return;
    write(shown);
}

qsizetype Recovery::savedTurns() const
{
    return std::min(m_file.store().storedTurns().count, m_history.size());
}

std::optional<Refusal> Recovery::write(const RecoveryRecord& shown)
{
    const qsizetype size = m_history.size();
    RecoveryChanges changes{shown, m_wipe, {}, m_threadBehind};
    for (qsizetype number : m_turns) {
        if (number < size)
            changes.turns.append({number, m_history.atHand(number)});
    }
    const StoreStatus status = m_file.store().writeRecovery(changes);
    if (status) {
        m_written = shown;
        m_recorded = true;
        m_turns.clear();
        m_wipe = m_behind = m_threadBehind = m_failing = false;
        return std::nullopt;
    }
    if (std::exchange(m_failing, true))
        return std::nullopt;
    return Refusal{kNotKept + QLatin1Char('\r') + status.message(), MessageIcon::Warning};
}
