// How the store reads SQLite's values, writes its SQL text and names its connections, shared by
// its tables' classes.
#pragma once

#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <cstdint>
#include <optional>

// Runs the statement on the query; the database's error, or nothing.
std::optional<QSqlError> run(QSqlQuery& query, const QString& statement);

// A name for a new connection that no other connection of the process has.
QString nextConnectionName();

// The identifier in double quotes, inner quotes doubled.
QString quoted(const QString& identifier);

// The file at the path as an SQLite URI opening it in this mode ("rw", or "rwc" to make it).
QString sqliteUri(const QString& path, const char* mode);

// A null QString would be stored as NULL and load back as "Vide"; an empty pane is "".
QString notNull(const QString& text);

// The driver hands SQLite's storage classes over as qlonglong, double, QString and QByteArray.
bool holdsInteger(const QVariant& value);
bool holdsReal(const QVariant& value);

// Text fields take text; a number reads as its decimal text; a blob is not text.
std::optional<QString> textFrom(const QVariant& value);

// A colour is any 32-bit pattern: the signed form the schema asks for, or the same bits written
// unsigned by another program. Anything wider is not a colour.
std::optional<std::int32_t> colourFrom(const QVariant& value);

// Sizes are whole points when the menus write them, but a fractional size is still a size; a
// size outside what a 16-bit point count can hold is no font size.
std::optional<double> fontSizeFrom(const QVariant& value);

// A flag is any integer, non-zero being true.
std::optional<bool> flagFrom(const QVariant& value);
