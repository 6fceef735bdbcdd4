// Helper program for the storage tests: saves changing games in a loop until killed, or holds
// the write lock of a store until told to let go.
#include "GameStore.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlQuery>

#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

namespace {

// Every save ties the two tables with n: base "PARTIE n" and nb_lettres n.
int saveLoop(const QString& path, qlonglong first)
{
    GameStore store(path);
    if (!store.open()) {
        return 2;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    for (qlonglong n = first;; ++n) {
        const QString number = QString::number(n);
        const GameSession game{QStringLiteral("PARTIE ") + number,
                               QStringLiteral("RESULTAT ") + number,
                               QStringLiteral("PROPOSITION ") + number,
                               QStringLiteral("LETTRES ") + number,
                               number,
                               QStringLiteral("0")};
        const StoreStatus status = store.saveGame(game);
        if (!status) {
            std::fprintf(stderr, "%s\n", qUtf8Printable(status.message()));
            return 3;
        }
    }
}

// Takes the write lock with an uncommitted change, then rolls back once a line comes in.
int holdLock(const QString& path)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
    db.setDatabaseName(path);
    if (!db.open()) {
        return 2;
    }
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")) ||
        !query.exec(QStringLiteral("UPDATE \"données\" SET base = 'VERROU'"))) {
        return 3;
    }
    std::printf("locked\n");
    std::fflush(stdout);
    std::string line;
    std::getline(std::cin, line);
    query.exec(QStringLiteral("ROLLBACK"));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc == 4 && std::strcmp(argv[1], "save-loop") == 0) {
        return saveLoop(QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]).toLongLong());
    }
    if (argc == 3 && std::strcmp(argv[1], "hold-lock") == 0) {
        return holdLock(QString::fromLocal8Bit(argv[2]));
    }
    std::fprintf(stderr, "usage: storage_test_helper save-loop <path> <n> | hold-lock <path>\n");
    return 1;
}
