// The checks «Générer» makes before a turn, and the question about a proposal played before.
#include "TurnGuard.h"

#include "GameFile.h"
#include "PuzzleEngine.h"

namespace {

// The latest turn before the last that played this proposal: those at hand, then the stored
// ones before them.
std::optional<PlayedTurn> earlierTurnPlaying(const QString& proposal, const TurnHistory& history,
                                             const GameFile& file)
{
    const qsizetype last = history.size() - 1;
    if (const qsizetype found = history.latestPlaying(proposal, last); found >= 0)
        return PlayedTurn{found, history.atHand(found).joueur};
    if (history.firstAtHand() <= 1)
        return std::nullopt;
    return file.latestPlaying(proposal, std::min(history.firstAtHand(), last));
}

// "… au tour N (JOUEUR)", the player named when the turn has one.
QString playedAt(const QString& start, const PlayedTurn& turn)
{
    QString text = start + QStringLiteral(" au tour %1").arg(turn.number);
    if (!turn.joueur.isEmpty())
        text += QStringLiteral(" (%1)").arg(turn.joueur);
    return text;
}

Question playAgainQuestion(const PlayedTurn& turn)
{
    return {playedAt(QStringLiteral("Cette proposition a déjà été jouée"), turn) +
                QStringLiteral(". La jouer quand même ?"),
            MessageIcon::Question, Question::Buttons::YesNo, true};
}

} // namespace

std::optional<EvaluationResult> guardTurn(const GameSession& game, const TurnHistory& history,
                                          const GameFile& file, const QString& player,
                                          const std::function<Answer(const Question&)>& ask)
{
    EvaluationResult result;
    if ((result.refusal = PuzzleEngine::refuseProposal(game)))
        return result;
    // The turn that was just accepted, asked for again: a double-click is not an act. With
    // another player typed, the master meant a turn: he is told why none is played.
    if (history.size() > 1 && history.last().propal == game.propal) {
        const QString typed = player.trimmed();
        const PlayedTurn last{history.size() - 1, history.last().joueur};
        if (!typed.isEmpty() && typed.compare(last.joueur, Qt::CaseInsensitive) != 0)
            result.refusal = Refusal{
                playedAt(QStringLiteral("Cette proposition vient d'être jouée"), last) + u'.',
                MessageIcon::Information};
        else
            result.skipped = true;
        return result;
    }
    if (game.lettres_restantes == 0) {
        result.refusal = Refusal{messages::kGameWon, MessageIcon::Information};
        return result;
    }
    const std::optional<PlayedTurn> earlier = earlierTurnPlaying(game.propal, history, file);
    if (earlier && ask(playAgainQuestion(*earlier)) != Answer::Yes) {
        result.skipped = true;
        return result;
    }
    return std::nullopt;
}
