// The forum post: the lines the players read, then each forum's markup of them, all drawn from
// one table of the forums' dialects.
#include "ForumPost.h"

#include "LineBreaks.h"

#include <algorithm>
#include <utility>

namespace {

// How a forum marks a part up: tags around the text, or a Markdown code block or code span whose
// fence the text decides, so that nothing in the text can end it.
enum class Wrap { Tags, CodeBlock, CodeSpan };

struct Markup {
    Wrap wrap = Wrap::Tags;
    QStringView open; // the tags before the text, or a code block's info string
    QStringView close;
};

struct Dialect {
    QStringView lineEnd;
    // Ends a line of words: Markdown runs the lines of a paragraph together unless a line ends
    // in two blanks.
    QStringView hardBreak;
    // A Markdown forum escapes what would format in the post's words and the players' names;
    // a BBCode forum shows a name's brackets as parentheses.
    bool markdown;
    // A forum that collapses runs of blanks outside its code blocks is given no-break spaces for
    // every blank after the first of a run, or at a line's start, in the monospace parts.
    bool keepsBlanks;
    // A code box does not wrap its lines: a forum that boxes the found text gets it, and the
    // remaining letters, in short lines that a reader never scrolls.
    bool shortLines;
    std::array<Markup, 6> parts; // in the order of PostPart
};

constexpr Markup kPlain{};
constexpr Markup kBoldRed{Wrap::Tags, u"[b][color=#FF0000]", u"[/color][/b]"};
constexpr Markup kBold{Wrap::Tags, u"[b]", u"[/b]"};
constexpr Markup kCode{Wrap::Tags, u"[code]", u"[/code]"};
constexpr Markup kStrong{Wrap::Tags, u"**", u"**"};
constexpr Markup kCodeSpan{Wrap::CodeSpan, {}, {}};

// By Forum, as each engine's own parser reads the tags on its default configuration.
constexpr std::array<Dialect, 5> kDialects = {{
    // SMF, XenForo, vBulletin: [size] runs from 1 to 7, and 5 is large. The post as it always was.
    {u"\r",
     u"",
     false,
     true,
     false,
     {kPlain, kPlain, Markup{Wrap::Tags, u"[font=Courier New][size=5]", u"[/size][/font]"},
      kBoldRed,
      Markup{Wrap::Tags, u"[font=Courier New][size=5][color=#4132F5]", u"[/color][/size][/font]"},
      kBold}},
    // phpBB 3: [size] is a percentage and [font] no tag of its own; [code] keeps blanks in a
    // monospace box, but reads no tag inside and cannot stand inside [size].
    {u"\n", u"", false, true, true, {kPlain, kPlain, kCode, kBoldRed, kCode, kBold}},
    // MyBB 1.8: [size=5] is 5 points, x-large 24 px beside a 14 px body; it collapses blanks
    // outside [code] and drops lone CRs.
    {u"\n",
     u"",
     false,
     false,
     false,
     {kPlain, kPlain, Markup{Wrap::Tags, u"[font=Courier New][size=x-large]", u"[/size][/font]"},
      kBoldRed,
      Markup{Wrap::Tags, u"[font=Courier New][size=x-large][color=#4132F5]",
             u"[/color][/size][/font]"},
      kBold}},
    // Discourse: Markdown, with no colour of its own; "text" keeps a code block from being
    // highlighted as some programming language.
    {u"\n",
     u"  ",
     true,
     true,
     true,
     {kPlain, kPlain, Markup{Wrap::CodeBlock, u"text", {}}, kStrong, kCodeSpan, kStrong}},
    // Discord, Reddit and the forums that read Markdown alone.
    {u"\n",
     u"  ",
     true,
     true,
     true,
     {kPlain, kPlain, Markup{Wrap::CodeBlock, {}, {}}, kStrong, kCodeSpan, kStrong}},
}};

const Dialect& dialectOf(Forum forum)
{
    return kDialects[std::size_t(forum)];
}

// The longest line of a forum that gets short lines, in characters.
constexpr qsizetype kLineWidth = 60;

bool isBlank(QChar c)
{
    return c == u' ';
}

QStringView withoutBlanksAtEnd(QStringView text)
{
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}

QStringView withoutBlanksAtStart(QStringView text)
{
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.sliced(1);
    return text;
}

// The LF-separated text with each line longer than kLineWidth broken at a blank into lines of at
// most kLineWidth characters, a word longer than that cut where the line is full (never between
// the two halves of a surrogate pair). The blanks where a line is broken are dropped, so that no
// broken line ends or begins with one; a line's own blanks at its start and end stay.
QString inShortLines(const QString& text)
{
    if (text.size() <= kLineWidth)
        return text;
    QString out;
    out.reserve(text.size() + text.size() / kLineWidth + 1);
    bool firstLine = true;
    for (QStringView rest : QStringView(text).split(u'\n')) {
        if (!std::exchange(firstLine, false))
            out += u'\n';
        bool broken = false;
        while (rest.size() > kLineWidth) {
            qsizetype cut = kLineWidth;
            if (!isBlank(rest[cut])) {
                qsizetype blank = rest.lastIndexOf(u' ', cut - 1);
                while (blank > 0 && isBlank(rest[blank - 1]))
                    --blank;
                if (blank > 0)
                    cut = blank;
                else if (rest[cut - 1].isHighSurrogate())
                    --cut;
            }
            const QStringView line = withoutBlanksAtEnd(rest.first(cut));
            if (!line.isEmpty()) {
                if (broken)
                    out += u'\n';
                out += line;
                broken = true;
            }
            rest = withoutBlanksAtStart(rest.sliced(cut));
        }
        if (!rest.isEmpty() || !broken) {
            if (broken)
                out += u'\n';
            out += rest;
        }
    }
    return out;
}

// The forum of origin takes the texts exactly as the panes hold them; every other forum reads
// LF line breaks only, and a forum that boxes them short lines.
QString shownText(Forum forum, const QString& text)
{
    if (forum == Forum::Origine)
        return text;
    const QString lines = withLineBreaks(text, u"\n");
    return dialectOf(forum).shortLines ? inShortLines(lines) : lines;
}

// A player's name as the post writes it: a BBCode forum shows its brackets as parentheses, so
// that a name never opens or closes a tag; Markdown escapes it as it writes it.
QString postName(Forum forum, const QString& name)
{
    if (dialectOf(forum).markdown)
        return name;
    QString written = name;
    return written.replace(u'[', u'(').replace(u']', u')');
}

QList<PostLine> turnLines(Forum forum, const GameSession& game, const PostExtras& extras)
{
    QList<PostLine> lines{{{PostPart::Masked, shownText(forum, game.soluce)}}};
    if (game.lettres_restantes == 0) {
        lines.append({{}, {{PostPart::Count, QStringLiteral("Bravo, c'est gagné !")}}});
        if (!extras.winner.isEmpty())
            lines.append(
                {{PostPart::Text, QStringLiteral("Dernière lettre trouvée par ")},
                 {PostPart::Name, postName(forum, extras.winner)},
                 {PostPart::Text, QStringLiteral(" au tour %1.").arg(extras.winningTurn)}});
        return lines;
    }
    lines.append({{{PostPart::Count, QString::number(game.lettres_trouvees)},
                   {PostPart::Text, QStringLiteral(" lettre(s) trouvée(s). ")}},
                  {{PostPart::Count, QString::number(game.lettres_restantes)},
                   {PostPart::Text, QStringLiteral(" lettres à placer ")}},
                  {{PostPart::Letters, shownText(forum, game.lettres)}}});
    return lines;
}

// A ranking's block after a blank line: its title, then a line a player, the puzzle's ranking and
// the thread's alike.
template <typename Standing>
void appendRanking(QList<PostLine>& lines, Forum forum, const QString& title,
                   const QList<Standing>& ranking)
{
    if (ranking.isEmpty())
        return;
    lines.append({{}, {{PostPart::Title, title}}});
    qsizetype rank = 0;
    for (const Standing& player : ranking) {
        lines.append({{PostPart::Text, QString::number(++rank) + QStringLiteral(". ")},
                      {PostPart::Name, postName(forum, player.name)},
                      {PostPart::Text, QStringLiteral(" : ") + QString::number(player.points) +
                                           (player.points >= 2 ? QStringLiteral(" lettres")
                                                               : QStringLiteral(" lettre"))}});
    }
}

// The runs are found by search: a backtick is rare in a post.
qsizetype longestRun(QStringView text, QChar c)
{
    qsizetype longest = 0;
    for (qsizetype from = text.indexOf(c); from >= 0;) {
        qsizetype end = from + 1;
        while (end < text.size() && text[end] == c)
            ++end;
        longest = std::max(longest, end - from);
        from = text.indexOf(c, end);
    }
    return longest;
}

// Whether the character formats wherever it stands in Markdown's text.
bool formatsAnywhere(QChar c)
{
    switch (c.unicode()) {
    case u'\\':
    case u'*':
    case u'_':
    case u'`':
    case u'~':
    case u'|':
    case u'[':
    case u'<':
    case u'^':
        return true;
    default:
        return false;
    }
}

// A Markdown text that reads as itself: what formats anywhere is escaped, and so is the ">" of a
// spoiler's opener ">!"; "#" and ">" where they would start a heading or a quote, and the period
// of a number that would start a list. The runs between escapes are appended whole.
void appendMarkdownText(QString& out, QStringView text, bool startsLine, bool isName)
{
    qsizetype digits = 0;
    while (startsLine && digits < text.size() && text[digits] >= u'0' && text[digits] <= u'9')
        ++digits;
    qsizetype from = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const bool first = i == 0 && (startsLine || isName);
        const bool spoiler = c == u'>' && i + 1 < text.size() && text[i + 1] == u'!';
        if (formatsAnywhere(c) || spoiler || (first && (c == u'#' || c == u'>')) ||
            (digits > 0 && i == digits && (c == u'.' || c == u')'))) {
            out += text.mid(from, i - from);
            out += u'\\';
            from = i;
        }
    }
    out += text.mid(from);
}

// Written in place past the text's end, in one pass.
void appendWithBlanksKept(QString& out, QStringView text)
{
    const qsizetype start = out.size();
    out.resize(start + text.size());
    QChar* to = out.data() + start;
    // Without a branch a character: blanks stand at random places in a masked text.
    unsigned before = u'\n';
    for (const QChar c : text) {
        const unsigned u = c.unicode();
        const unsigned kept =
            unsigned(u == u' ') & (unsigned(before == u' ') | unsigned(before == u'\n'));
        *to++ = QChar(char16_t(u ^ ((u ^ QChar::Nbsp) & (0u - kept))));
        before = u;
    }
}

void appendCodeSpan(QString& out, QStringView text)
{
    if (text.isEmpty())
        return;
    const QString ticks(longestRun(text, u'`') + 1, u'`');
    // A span's content loses one blank at each end when it has one at both, and a backtick
    // at either end would join the fence.
    const bool padded =
        text.startsWith(u'`') || text.endsWith(u'`') ||
        (text.startsWith(u' ') && text.endsWith(u' ') && text.count(u' ') != text.size());
    const QStringView pad = padded ? u" " : u"";
    out += ticks;
    out += pad;
    out += text;
    out += pad;
    out += ticks;
}

void appendPiece(QString& out, const Dialect& dialect, const PostPiece& piece, bool startsLine)
{
    const Markup& markup = dialect.parts[std::size_t(piece.part)];
    const QString& text = piece.text;
    if (markup.wrap == Wrap::CodeBlock) {
        const QString fence(std::max<qsizetype>(3, longestRun(text, u'`') + 1), u'`');
        out += fence;
        out += markup.open;
        out += u'\n';
        out += text;
        out += u'\n';
        out += fence;
        return;
    }
    if (markup.wrap == Wrap::CodeSpan) {
        // A span does not break its lines: each is a span of its own on a line of its own.
        bool firstLine = true;
        for (const QStringView line : QStringView(text).split(u'\n')) {
            if (!std::exchange(firstLine, false)) {
                out += dialect.hardBreak;
                out += dialect.lineEnd;
            }
            appendCodeSpan(out, line);
        }
        return;
    }
    out += markup.open;
    const bool monospace = piece.part == PostPart::Masked || piece.part == PostPart::Letters;
    if (dialect.markdown && !monospace)
        appendMarkdownText(out, text, startsLine && markup.open.isEmpty(),
                           piece.part == PostPart::Name);
    else if (!dialect.keepsBlanks && monospace)
        appendWithBlanksKept(out, text);
    else
        out += text;
    out += markup.close;
}

QString markedUp(Forum forum, const QList<PostLine>& lines)
{
    const Dialect& dialect = dialectOf(forum);
    qsizetype size = 0;
    for (const PostLine& line : lines) {
        size += 64;
        for (const PostPiece& piece : line)
            size += piece.text.size();
    }
    QString out;
    out.reserve(size);
    for (const PostLine& line : lines) {
        for (qsizetype i = 0; i < line.size(); ++i)
            appendPiece(out, dialect, line[i], i == 0);
        const bool block =
            !line.isEmpty() && dialect.parts[std::size_t(line.last().part)].wrap == Wrap::CodeBlock;
        if (!line.isEmpty() && !block)
            out += dialect.hardBreak;
        out += dialect.lineEnd;
    }
    return out;
}

// One pass, the runs between the characters to rewrite appended whole: a CR LF pair is one break.
QString asHtml(const QString& text)
{
    QString out;
    out.reserve(text.size() + text.size() / 8 + 16);
    const QChar* const begin = text.constData();
    const QChar* const end = begin + text.size();
    const QChar* from = begin;
    for (const QChar* c = begin; c != end; ++c) {
        QStringView replacement;
        switch (c->unicode()) {
        case u'<':
            replacement = u"&lt;";
            break;
        case u'>':
            replacement = u"&gt;";
            break;
        case u'&':
            replacement = u"&amp;";
            break;
        case u'"':
            replacement = u"&quot;";
            break;
        case u'\n':
            replacement = u"<br>";
            break;
        case u'\r':
            replacement = u"<br>";
            if (c + 1 != end && c[1] == u'\n') {
                out.append(from, c - from);
                out += replacement;
                ++c; // the pair's LF
                from = c + 1;
                continue;
            }
            break;
        default:
            continue;
        }
        out.append(from, c - from);
        out += replacement;
        from = c + 1;
    }
    out.append(from, end - from);
    return out;
}

} // namespace

ForumPost forumPost(Forum forum, const GameSession& game, const PostExtras& extras)
{
    ForumPost post{turnLines(forum, game, extras), {}, {}};
    if (extras.ranking)
        appendRanking(post.lines, forum, QStringLiteral("Classement"), *extras.ranking);
    if (game.lettres_restantes == 0 && extras.threadRanking && extras.puzzles >= 2)
        appendRanking(post.lines, forum,
                      QStringLiteral("Classement du fil (%1 énigmes)").arg(extras.puzzles),
                      *extras.threadRanking);
    post.text = markedUp(forum, post.lines);
    post.html = asHtml(post.text);
    return post;
}
