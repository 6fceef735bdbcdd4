// The forum post drawn the way a forum draws it, as rich text for a QTextBrowser.
#pragma once

#include <QString>

// The post's BBCode as HTML: [b] bold, [color=#RRGGBB] that colour, [font=Courier New] the given
// monospace family, [size=5] larger. Everything else, tags it does not know included, is shown
// as text, and each of the post's line breaks (CR LF, CR or LF) is one line break.
QString postPreviewHtml(const QString& post, const QString& monospaceFamily);
