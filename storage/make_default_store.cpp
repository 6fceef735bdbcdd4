// Build tool: writes a fresh default plimo.mdb (empty game, design-time look) unless one exists.
#include "GameStore.h"
#include "PaneStyle.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <cmath>
#include <cstdio>

namespace {

const QString kConnection = QStringLiteral("plimo-default-store");

// The couleurs row: each pane's design-time look, the size in whole points as the menus store it.
QList<FieldValue> designLook()
{
    QList<FieldValue> fields;
    for (Pane pane : kPanes) {
        const PaneStyle style = designStyle(pane);
        fields << FieldValue{lookColumn(LookKind::Background, pane), style.background}
               << FieldValue{lookColumn(LookKind::TextColour, pane), style.text}
               << FieldValue{lookColumn(LookKind::FontName, pane), style.font.name}
               << FieldValue{lookColumn(LookKind::FontSize, pane),
                             static_cast<int>(std::nearbyint(style.font.size))}
               << FieldValue{lookColumn(LookKind::FontBold, pane), int(style.font.bold)}
               << FieldValue{lookColumn(LookKind::FontItalic, pane), int(style.font.italic)};
    }
    return fields;
}

QString insertStatement(const QString& table, const QList<FieldValue>& fields)
{
    QStringList columns;
    QStringList marks;
    for (const FieldValue& field : fields) {
        columns << field.column;
        marks << QStringLiteral("?");
    }
    return QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)")
        .arg(table, columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
}

bool insertRow(QSqlDatabase& db, const QString& table, const QList<FieldValue>& fields)
{
    QSqlQuery query(db);
    if (!query.prepare(insertStatement(table, fields))) {
        return false;
    }
    for (const FieldValue& field : fields) {
        query.addBindValue(field.value);
    }
    return query.exec();
}

// Creates the three tables with their one row each, in the current layout version; returns
// the database's error, or "".
QString fillStore(QSqlDatabase& db)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("BEGIN"))) {
        return query.lastError().text();
    }
    QStringList statements = storeSchemaStatements();
    statements << QStringLiteral("PRAGMA user_version = %1").arg(kStoreVersion);
    for (const QString& statement : statements) {
        if (!query.exec(statement)) {
            return query.lastError().text();
        }
    }
    QList<FieldValue> texts;
    for (Pane pane : kPanes) {
        texts.append({gameTextColumn(pane), QStringLiteral("")});
    }
    if (!insertRow(db, gameTable(), texts) ||
        !insertRow(db, countTable(), {{countColumn(), 0}}) ||
        !insertRow(db, lookTable(), designLook())) {
        return db.lastError().text().isEmpty() ? QStringLiteral("insert failed")
                                               : db.lastError().text();
    }
    if (!query.exec(QStringLiteral("COMMIT"))) {
        return query.lastError().text();
    }
    return {};
}

QString writeStore(const QString& path)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kConnection);
    db.setDatabaseName(path);
    QString error = db.open() ? fillStore(db) : db.lastError().text();
    db.close();
    return error;
}

int fail(const QString& message)
{
    std::fprintf(stderr, "plimo_default_store: %s\n", qUtf8Printable(message));
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        return fail(QStringLiteral("usage: plimo_default_store <path of plimo.mdb>"));
    }
    const QString target = QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath();
    if (QFileInfo::exists(target)) {
        return 0;
    }
    // Built aside and renamed into place, so a stopped build never leaves a half-made store.
    const QString scratch = target + QStringLiteral(".new");
    QFile::remove(scratch);
    QFile::remove(scratch + QStringLiteral("-journal"));
    const QString error = writeStore(scratch);
    QSqlDatabase::removeDatabase(kConnection);
    if (!error.isEmpty()) {
        QFile::remove(scratch);
        return fail(error);
    }
    // rename() refuses an existing target: a store made meanwhile is kept, never replaced.
    if (!QFile::rename(scratch, target)) {
        QFile::remove(scratch);
        return QFileInfo::exists(target) ? 0 : fail(QStringLiteral("cannot create ") + target);
    }
    return 0;
}
