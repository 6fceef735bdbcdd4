// The BBCode post the game master copies into the forum thread after each turn.
#pragma once

#include <QString>

// The post built from the four values as the window shows them: the found text, the two count
// captions and the remaining letters, each line ended by a CR.
QString buildForumPost(const QString& foundText, const QString& foundCount,
                       const QString& remainingCount, const QString& remainingLetters);
