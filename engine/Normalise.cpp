// Clean-up of the reference text and of the proposal when their panes lose the focus.
#include "PuzzleEngine.h"
#include "SpaceRuns.h"

namespace {

const QChar kSpace = u' ';
const QChar kMicro = u'\u00B5';

// Simple one-to-one upper-casing, so lengths never change. A "µ" stays as it is: its capital
// (Greek mu) would no longer pair with another marker and would show in the found text.
void upperCase(QString& text)
{
    for (QChar& c : text)
        if (c != kMicro)
            c = c.toUpper();
}

void trimSpaces(QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == kSpace)
        --end;
    qsizetype begin = 0;
    while (begin < end && text.at(begin) == kSpace)
        ++begin;
    text = text.mid(begin, end - begin);
}

// Each CR and each LF becomes "µ", then each "µµ" (left to right, no overlap) one space.
QString pairLineBreaks(const QString& text)
{
    QString out;
    out.reserve(text.size());
    bool pending = false;
    for (QChar c : text) {
        const bool marker = c == u'\r' || c == u'\n' || c == kMicro;
        if (marker) {
            if (pending) {
                out.append(kSpace);
                pending = false;
            } else {
                pending = true;
            }
            continue;
        }
        if (pending) {
            out.append(kMicro);
            pending = false;
        }
        out.append(c);
    }
    if (pending)
        out.append(kMicro);
    return out;
}

// A "?" that follows anything but a space goes; the character that slides into its place
// is not looked at, and the first character never is.
QString dropStrayQuestionMarks(const QString& text)
{
    QString out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    if (n > 0)
        out.append(text.at(0));
    for (qsizetype k = 1; k < n; ++k) {
        if (text.at(k) == u'?' && out.back() != kSpace) {
            if (++k < n)
                out.append(text.at(k));
            continue;
        }
        out.append(text.at(k));
    }
    return out;
}

} // namespace

QString PuzzleEngine::normaliseReference(const QString& text)
{
    if (text.isEmpty())
        return text;
    QString t = text;
    upperCase(t);
    trimSpaces(t);
    return pairLineBreaks(t);
}

QString PuzzleEngine::normaliseProposal(const QString& text)
{
    if (text.isEmpty())
        return text;
    QString t = dropStrayQuestionMarks(text);
    upperCase(t);
    trimSpaces(t);
    return collapseSpaceRuns(pairLineBreaks(t));
}

QString collapseSpaceRuns(const QString& text)
{
    QString out(text.size(), Qt::Uninitialized);
    QChar* to = out.data();
    const QChar* const begin = to;
    for (QChar c : text) {
        if (c == kSpace && to != begin && to[-1] == kSpace)
            continue;
        *to++ = c;
    }
    out.truncate(to - begin);
    return out;
}
