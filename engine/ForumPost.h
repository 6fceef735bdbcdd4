// The post the game master copies into the forum thread after each turn, in the markup of the
// thread's forum engine.
#pragma once

#include "GameSession.h"
#include "Players.h"
#include "Thread.h"

#include <QList>
#include <QString>

#include <array>

// The forum engines a post is written for; the forum of origin reads the post Plimo always wrote.
enum class Forum { Origine, Phpbb3, Mybb, Discourse, Markdown };

inline constexpr std::array<Forum, 5> kForums = {Forum::Origine, Forum::Phpbb3, Forum::Mybb,
                                                 Forum::Discourse, Forum::Markdown};

// What a piece of the post shows; each forum marks each kind up in its own way.
enum class PostPart {
    Text,    // the post's own words
    Name,    // a player's name, which never changes the post's formatting
    Masked,  // the found text, monospace and larger, lined up character for character
    Count,   // a count or the victory line, in bold red
    Letters, // the remaining letters, monospace and in colour
    Title,   // the ranking's title, in bold
};

struct PostPiece {
    PostPart part = PostPart::Text;
    QString text; // as the players read it
    bool operator==(const PostPiece&) const = default;
};

// One line of the post; an empty line has no piece.
using PostLine = QList<PostPiece>;

// The post of a turn: its lines as the players read them on the forum, and its text in the
// forum's markup, every line ended by the forum's line end; and that text as a rich-text editor
// takes it, as HTML: escaped, each line break a <br>, nothing else.
struct ForumPost {
    QList<PostLine> lines;
    QString text;
    QString html;
};

// What a post tells beside the game's texts and counts.
struct PostExtras {
    // The puzzle's ranking, given when it ranks somebody.
    const QList<PlayerStanding>* ranking = nullptr;
    // The winning turn, the history's last, and the player credited with it: a won puzzle's post
    // names that player under the victory line; nobody (an empty name) adds nothing.
    qsizetype winningTurn = 0;
    QString winner;
    // The thread's ranking, and how many puzzles the thread has: a won puzzle's post gives it
    // after the puzzle's ranking once the thread has at least two puzzles.
    const QList<ThreadStanding>* threadRanking = nullptr;
    qsizetype puzzles = 0;
};

// The post of the game's found text, two counts and remaining letters, or the victory line once
// nothing remains to place, with the winner's line; then the rankings the extras give, each when
// it ranks somebody. The forums that show the found text in a code box (phpBB 3, Discourse,
// Markdown) get it and the remaining letters in lines of at most 60 characters, broken at blanks.
ForumPost forumPost(Forum forum, const GameSession& game, const PostExtras& extras);
inline ForumPost forumPost(Forum forum, const GameSession& game,
                           const QList<PlayerStanding>* ranking = nullptr)
{
    PostExtras extras;
    extras.ranking = ranking;
    return forumPost(forum, game, extras);
}
