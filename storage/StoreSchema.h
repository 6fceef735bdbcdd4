// The layout of plimo.mdb: its tables as this version makes them, the layout version it records
// in PRAGMA user_version, and the steps that bring an older file up to date.
#pragma once

#include "PaneLook.h"

#include <QList>
#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QStringList>

#include <optional>

// The layout this version writes. 0 is a file made before the layout was recorded, whose
// tables are those of version 1; version 2 gave each turn its player.
inline constexpr int kStoreVersion = 2;

// The CREATE TABLE statements of données, compteurs and couleurs, for whoever makes a new file.
QStringList storeSchemaStatements();

// The CREATE TABLE statement of tours. Its constraints keep every value readable and numero a
// key, so that start-up can read it from its end instead of checking every row.
QString turnTableStatement();

// The 24 couleurs column names, kind by kind (fond_ref, fond_soluce, ..., font_italic_lettres).
QStringList appearanceColumns();

// Why these fields cannot be written to couleurs, "no such column: …" for the first that is none
// of its 24 columns, or nothing. Column names go into the SQL text, so only those may pass.
std::optional<QString> unknownLookColumn(const QList<FieldValue>& fields);

// The layout version the file records.
std::optional<int> storedLayoutVersion(const QSqlDatabase& db);

// Inside the caller's transaction, brings a file of an older layout up to this version's, one
// step per version, and records the version. A file of a newer layout is left as it is: this
// version reads and writes only the tables and columns it knows. The database's error, or
// nothing.
std::optional<QSqlError> upgradeLayout(const QSqlDatabase& db);
