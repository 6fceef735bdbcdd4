// The kind of a store failure told from SQLite's result code, which SQLite may extend with why
// (a file moved while open, a busy snapshot, a failed sync): the extended code tells the same
// kind as its primary code.
#include "StoreError.h"

#include <QSqlError>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(StoreErrorTest, ExtendedCodesTellTheKindOfTheirPrimaryCode)
{
    const struct {
        const char* name;
        const char* code;
        StoreErrorKind kind;
    } cases[] = {
        {"read-only: the file moved while open", "1032", StoreErrorKind::ReadOnly},
        {"busy: a snapshot out of date", "517", StoreErrorKind::Locked},
        {"locked: another connection's table", "262", StoreErrorKind::Locked},
        {"corrupt: a damaged index", "779", StoreErrorKind::Unreadable},
        {"input or output: the sync failed", "3338", StoreErrorKind::Other},
        {"cannot open: the full path", "782", StoreErrorKind::Missing},
    };
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("partie.mdb"));
    for (const auto& c : cases) {
        const QSqlError error(QString(), QStringLiteral("SQLite"), QSqlError::StatementError,
                              QString::fromLatin1(c.code));
        EXPECT_EQ(classifyStoreError(missing, error).kind, c.kind) << c.name;
    }
}

} // namespace
