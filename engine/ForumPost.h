// The BBCode post the game master copies into the forum thread after each turn.
#pragma once

#include "Players.h"

#include <QList>
#include <QString>

// The post built from the four values as the window shows them: the found text, the two count
// captions and the remaining letters, each line ended by a CR.
QString buildForumPost(const QString& foundText, const QString& foundCount,
                       const QString& remainingCount, const QString& remainingLetters);

// The ranking block that ends a post: an empty line, the title, then one line per player, each
// ended by a CR. Brackets in a name become parentheses, so that a name cannot change the post's
// formatting. Empty when nobody is ranked.
QString rankingBlock(const QList<PlayerStanding>& ranking);
