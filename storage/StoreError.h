// The French sentence for each way the game's file can fail, told from the file system and
// SQLite's own error code.
#pragma once

#include <QString>

class QSqlError;

// What went wrong with the store, as the user can act on it.
enum class StoreErrorKind {
    Missing,      // the file does not exist
    Unreadable,   // it exists but cannot be read (a folder, no permission, damaged)
    ReadOnly,     // it can be read but not written
    NotAGame,     // it is not an SQLite database at all, or an empty file
    MissingTable, // a database without one of the game's tables
    Locked,       // another program holds it
    DiskFull,     // no room left to write it
    Other,
};

struct StoreError {
    StoreErrorKind kind = StoreErrorKind::Other;
    QString table;        // the table lacking, for MissingTable
    QString databaseText; // SQLite's own sentence, when there is one
};

// The kind of a database error met on the file at path.
StoreError classifyStoreError(const QString& path, const QSqlError& error);

// The critical box's text: the sentence, the file's path on the next line, then the
// database's own text in parentheses when there is one.
QString storeErrorMessage(const StoreError& error, const QString& path);

// The same for a failed write of the recovery record at path: the sentence names the record, or
// its folder when that cannot be written.
QString recoveryErrorMessage(const QSqlError& error, const QString& path);

// The path as the user's system writes it, made absolute: how every message names a file.
QString nativePath(const QString& path);
