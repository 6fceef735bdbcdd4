// The forum post drawn the way its forum draws it, as rich text for a QTextBrowser.
#pragma once

#include "ForumPost.h"

#include <QList>
#include <QString>

// The post's lines as HTML, each part drawn as the forum's default style draws it: boxes for the
// code blocks of phpBB and the Markdown forums, the faces, sizes and colours each forum gives,
// the monospace parts in the given family. Every text is shown as text, never as markup, its
// blanks kept and each of its line breaks one line break; the plain text is each line's text
// followed by a line break.
QString postPreviewHtml(const QList<PostLine>& lines, Forum forum, const QString& monospaceFamily);
