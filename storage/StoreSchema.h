// The layout of plimo.mdb: its tables as this version makes them, the layout version it records
// in PRAGMA user_version, and the steps that bring an older file up to date.
#pragma once

#include "PaneLook.h"
#include "StoreNames.h"

#include <QList>
#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QStringList>

#include <optional>

// The layout this version writes: the version of its last layout step (StoreSchema.cpp says what
// each step brings). 0 is a file made before the layout was recorded, whose tables are those of
// version 1.
extern const int kStoreVersion;

// The CREATE TABLE statements of données, compteurs and couleurs as version 1 made them. A new
// file is made of them and then brought up to date like any older file.
QStringList storeSchemaStatements();

// The CREATE TABLE statement of tours, or of a table of turns shaped as it under another name. Its
// constraints keep every value readable and numero a key, so that start-up can read it from its
// end instead of checking every row.
QString turnTableStatement(const QString& table = turnTable());

// The CREATE TABLE statements of the thread's tables in the database attached under `schema`,
// as the layout makes them in the game file.
QStringList threadTableStatements(const QString& schema);

// The 24 couleurs column names, kind by kind (fond_ref, fond_soluce, ..., font_italic_lettres).
QStringList appearanceColumns();

// Why these fields cannot be written to couleurs, "no such column: …" for the first that is none
// of its 24 columns, or nothing. Column names go into the SQL text, so only those may pass.
std::optional<QString> unknownLookColumn(const QList<FieldValue>& fields);

// The layout version the file records.
std::optional<int> storedLayoutVersion(const QSqlDatabase& db);

// Inside the caller's transaction, brings a file of an older layout up to this version's, one
// step per version, and records the version. A step adds columns to a table, or makes a table
// (with its single row, for the options) where it is missing; a table of the same name that
// another version made gains only the columns it lacks. Nothing is ever dropped. A file of a
// newer layout is left as it is: this version reads and writes only the tables and columns it
// knows. The database's error, or nothing.
std::optional<QSqlError> upgradeLayout(const QSqlDatabase& db);
