// Collapsing runs of spaces, shared by initialisation and the proposal's clean-up.
#pragma once

#include <QString>

// Every run of two or more spaces (U+0020 only) becomes one space; nothing is trimmed.
QString collapseSpaceRuns(const QString& text);
