// Fuzz target: arbitrary sequences of the master's acts on one game (typing, naming the player,
// Initialiser, Générer, undo, clearing the page), checked against a plain list of the accepted
// states.
//
// Each input byte is one act; the bytes after some acts give their text. Proposals are drawn
// from the reference with letters changed, so that turns are accepted as well as refused or in
// conflict. After every act: the history has one turn per accepted state, its last turn is the
// game shown, a conflict shows the last accepted state again, and an undo shows the one before
// with the undone proposal back in its pane. Each accepted turn credits the player typed (its
// first spelling in the game), which the field then loses; an undo brings it back; the ranking
// holds every point of the credited turns, highest first. A puzzle with a turn played goes into
// the thread at Initialiser and at the clearing of the page; an undo at the start of a puzzle
// brings it back as it was, and the thread's ranking holds every point of every puzzle.
#include "GameController.h"
#include "PlayOn.h"
#include "Players.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

// What a turn leaves on screen, as the history records it.
struct Shown {
    QString found;
    QString letters;
    qint64 foundCount = 0;
    qint64 remainingCount = 0;
    QString proposal;
    QString player;
};

Shown shownBy(const GameSession& s)
{
    return {s.soluce, s.lettres, s.lettres_trouvees, s.lettres_restantes, s.propal, QString()};
}

// Names that the name rules change, that differ only in case, or that are cut.
const QStringList kNames = {QString(),
                            QStringLiteral("Zoé"),
                            QStringLiteral("ZOÉ"),
                            QStringLiteral(" zoé\t"),
                            QStringLiteral("[b]Al[/b]"),
                            QStringLiteral("A\u0001l\r\nB"),
                            QStringLiteral("abcdefghijabcdefghijabcdefghijabcdefghijXYZ")};

// The spelling an accepted turn credits: the first one the game used for that player.
QString creditedName(const std::vector<Shown>& accepted, const QString& typed)
{
    const QString name = cleanPlayerName(typed);
    for (const Shown& turn : accepted)
        if (!name.isEmpty() && playerKey(turn.player) == playerKey(name))
            return turn.player;
    return name;
}

bool sameState(const Shown& a, const Shown& b)
{
    return a.found == b.found && a.letters == b.letters && a.foundCount == b.foundCount &&
           a.remainingCount == b.remainingCount;
}

class Input {
  public:
    Input(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    bool empty() const { return m_pos >= m_size; }
    std::uint8_t next() { return empty() ? 0 : m_data[m_pos++]; }

    // A short text over a small alphabet, so that words and letters repeat.
    QString text()
    {
        static const char16_t kChars[] = u"ABCÉ '?.\r\n";
        const int length = next() % 24;
        QString out;
        for (int i = 0; i < length; ++i)
            out.append(QChar(kChars[next() % (std::size(kChars) - 1)]));
        return out;
    }

  private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

// The reference with some of its letters changed: the word lengths, and so the alignment, stay.
QString variantOf(const QString& reference, Input& in)
{
    QString proposal = reference;
    const int changes = in.next() % 4;
    for (int i = 0; i < changes && !proposal.isEmpty(); ++i) {
        const qsizetype at = in.next() % proposal.size();
        if (proposal[at].isLetter())
            proposal[at] = QChar(u'A' + in.next() % 4);
    }
    return proposal;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Input in(data, size);
    GameController game;
    // The accepted states since the last Initialiser; empty before one and after clearing.
    std::vector<Shown> accepted;
    QString field;
    // The puzzle's reference as initialised, and the thread's closed puzzles: their accepted
    // states and the game as it was closed.
    QString reference;
    std::vector<std::pair<std::vector<Shown>, GameSession>> closed;
    const auto close = [&] {
        if (accepted.size() < 2)
            return;
        GameSession asClosed = game.session();
        asClosed.ref = reference;
        closed.emplace_back(accepted, asClosed);
    };

    while (!in.empty()) {
        switch (in.next() % 8) {
        case 0:
            game.referenceEdited(in.text());
            game.referenceLeft();
            break;
        case 1:
            game.proposalEdited(in.text());
            game.proposalLeft();
            break;
        case 2:
            game.proposalEdited(variantOf(game.session().ref, in));
            break;
        case 3: {
            const GameSession before = game.session();
            if (!game.initialise()) {
                GameSession asClosed = before;
                asClosed.ref = reference;
                if (accepted.size() > 1)
                    closed.emplace_back(accepted, asClosed);
                accepted = {shownBy(game.session())};
                reference = game.session().ref;
            }
            break;
        }
        case 4: {
            const GameSession before = game.session();
            const qsizetype turns = game.turnCount();
            const EvaluationResult result = game.generate(playOn);
            if (result.skipped || (result.refusal && result.refusal->text == messages::kGameWon)) {
                // The last turn's proposal again, or a won game: nothing done at all.
                require(accepted.size() > 1 || !result.skipped);
                require(game.session() == before && game.turnCount() == turns);
                require(!result.skipped || before.propal == accepted.back().proposal);
                require(result.skipped || before.lettres_restantes == 0);
            } else if (result.conflict) {
                require(!accepted.empty());
                require(sameState(shownBy(game.session()), accepted.back()));
            } else if (!result.refusal) {
                Shown turn = shownBy(game.session());
                turn.player = creditedName(accepted, field);
                accepted.push_back(turn);
                field.clear();
            }
            require(game.player() == field);
            break;
        }
        case 5: {
            const bool undone = game.undoLastTurn();
            require(undone == (accepted.size() > 1 || !closed.empty()));
            if (undone && accepted.size() <= 1) {
                accepted = closed.back().first;
                require(game.session() == closed.back().second);
                reference = closed.back().second.ref;
                closed.pop_back();
                require(game.isModified());
            } else if (undone) {
                const QString undoneProposal = accepted.back().proposal;
                field = accepted.back().player;
                accepted.pop_back();
                require(sameState(shownBy(game.session()), accepted.back()));
                require(game.session().propal == undoneProposal);
                require(game.isModified());
            }
            require(game.player() == field);
            break;
        }
        case 7:
            field = kNames[in.next() % kNames.size()];
            game.playerEdited(field);
            break;
        default:
            close();
            game.clearPage();
            accepted.clear();
            reference.clear();
            break;
        }
        require(game.turnCount() == qsizetype(accepted.size()));
        require(game.canUndo() == (accepted.size() > 1 || !closed.empty()));
        require(game.puzzles().size() == qsizetype(closed.size()) + 1);
        if (!accepted.empty()) {
            const Turn& last = game.turns().last();
            require(last.result == accepted.back().found);
            require(last.lettres == accepted.back().letters);
            require(last.joueur == accepted.back().player);
        }
        qint64 credited = 0;
        for (std::size_t i = 1; i < accepted.size(); ++i)
            credited += accepted[i].player.isEmpty() ? 0 : accepted[i].foundCount;
        qint64 ranked = 0;
        const QList<PlayerStanding>& ranking = game.ranking();
        for (qsizetype i = 0; i < ranking.size(); ++i) {
            require(i == 0 || ranking[i - 1].points >= ranking[i].points);
            ranked += ranking[i].points;
        }
        require(ranked == credited);
        for (const auto& puzzle : closed)
            for (std::size_t i = 1; i < puzzle.first.size(); ++i)
                credited += puzzle.first[i].player.isEmpty() ? 0 : puzzle.first[i].foundCount;
        qint64 threadPoints = 0;
        for (const ThreadStanding& standing : game.threadRanking())
            threadPoints += standing.points;
        require(threadPoints == credited);
    }
    return 0;
}
