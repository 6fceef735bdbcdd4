// The BBCode forum post, built from the found text, the two counts and the remaining letters,
// and the ranking block that may end it.
#include "ForumPost.h"
#include "Players.h"
#include "PuzzleEngine.h"

namespace {

const QChar kCr = u'\r';

// The remaining count is compared numerically with zero; a caption that does not convert
// (only a damaged store could bring one) counts as not zero, so the post keeps its counts.
bool isZero(const QString& caption)
{
    bool ok = false;
    const double value = caption.trimmed().toDouble(&ok);
    return ok && value == 0.0;
}

} // namespace

QString buildForumPost(const QString& foundText, const QString& foundCount,
                       const QString& remainingCount, const QString& remainingLetters)
{
    QString post;
    post += QStringLiteral("[font=Courier New][size=5]") + foundText +
            QStringLiteral("[/size][/font]") + kCr;
    if (isZero(remainingCount)) {
        post += kCr;
        post += QStringLiteral("[b][color=#FF0000]Bravo, c'est gagné ![/color][/b]") + kCr;
        return post;
    }
    post += QStringLiteral("[b][color=#FF0000]") + foundCount +
            QStringLiteral("[/color][/b] lettre(s) trouvée(s). ") + kCr;
    post += QStringLiteral("[b][color=#FF0000]") + remainingCount +
            QStringLiteral("[/color][/b] lettres à placer ") + kCr;
    post += QStringLiteral("[font=Courier New][size=5][color=#4132F5]") + remainingLetters +
            QStringLiteral("[/color][/size][/font]") + kCr;
    return post;
}

QString rankingBlock(const QList<PlayerStanding>& ranking)
{
    if (ranking.isEmpty())
        return {};
    QString block = kCr + QStringLiteral("[b]Classement[/b]") + kCr;
    qsizetype rank = 0;
    for (const PlayerStanding& player : ranking) {
        QString name = player.name;
        name.replace(QLatin1Char('['), QLatin1Char('('))
            .replace(QLatin1Char(']'), QLatin1Char(')'));
        block += QString::number(++rank) + QStringLiteral(". ") + name + QStringLiteral(" : ") +
                 QString::number(player.points) +
                 (player.points >= 2 ? QStringLiteral(" lettres") : QStringLiteral(" lettre")) +
                 kCr;
    }
    return block;
}
