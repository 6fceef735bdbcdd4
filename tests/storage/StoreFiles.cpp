// Test support: store files made with raw SQL, and a plain connection to look inside them.
#include "StoreFiles.h"

#include "GameFiles.h"
#include "GameStore.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>

#include <gtest/gtest.h>

#include <csignal>
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

QStringList sampleStoreStatements()
{
    QStringList statements = storeSchemaStatements();
    statements << QStringLiteral("INSERT INTO \"données\" VALUES "
                                 "('LE CHAT', '** ****', 'LE CHIEN', 'A C H T ')")
               << QStringLiteral("INSERT INTO compteurs VALUES (4)");
    QStringList columns;
    QStringList values;
    int colour = 100;
    for (const QString& column : appearanceColumns()) {
        columns << column;
        if (column.startsWith(QLatin1String("fond_"))) {
            values << QString::number(colour++);
        } else if (column.startsWith(QLatin1String("police_"))) {
            values << QStringLiteral("-2147483640");
        } else if (column.startsWith(QLatin1String("font_name_"))) {
            values << QStringLiteral("'Arial'");
        } else if (column.startsWith(QLatin1String("font_size_"))) {
            values << QStringLiteral("12");
        } else if (column.startsWith(QLatin1String("font_bold_"))) {
            values << QStringLiteral("1");
        } else {
            values << QStringLiteral("0");
        }
    }
    statements << QStringLiteral("INSERT INTO couleurs (%1) VALUES (%2)")
                      .arg(columns.join(QStringLiteral(", ")), values.join(QStringLiteral(", ")));
    return statements;
}

void makeStore(const QString& path, const QStringList& statements)
{
    static int count = 0;
    const QString name = QStringLiteral("make-store-%1").arg(++count);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        ASSERT_TRUE(db.open()) << qPrintable(db.lastError().text());
        QSqlQuery query(db);
        for (const QString& statement : statements) {
            ASSERT_TRUE(query.exec(statement))
                << qPrintable(statement) << ": " << qPrintable(query.lastError().text());
        }
        query.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

void makeSampleStore(const QString& path, const QStringList& changes)
{
    makeStore(path, sampleStoreStatements() + changes);
}

int fileMode(const QString& path)
{
    struct stat status {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? int(status.st_mode & 07777)
                                                                     : -1;
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString endedScratchFile(const QString& target)
{
    // No process can have the largest process number.
    const qint64 ended =
        fileBytes(QStringLiteral("/proc/sys/kernel/pid_max")).trimmed().toLongLong();
    return scratchTemplate(target, ended).replace(QLatin1String("XXXXXX"), QLatin1String("a1B2c3"));
}

RawStore::RawStore(const QString& path)
{
    static int count = 0;
    m_name = QStringLiteral("raw-store-%1").arg(++count);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
    db.setDatabaseName(QStringLiteral("file:%1?mode=rw").arg(path));
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=5000"));
    db.open();
}

RawStore::~RawStore()
{
    QSqlDatabase::database(m_name, false).close();
    QSqlDatabase::removeDatabase(m_name);
}

bool RawStore::isOpen() const
{
    return QSqlDatabase::database(m_name, false).isOpen();
}

QVariant RawStore::value(const QString& sql) const
{
    QSqlQuery query(QSqlDatabase::database(m_name, false));
    if (!query.exec(sql) || !query.next()) {
        return {};
    }
    return query.value(0);
}

bool RawStore::exec(const QString& sql)
{
    QSqlQuery query(QSqlDatabase::database(m_name, false));
    return query.exec(sql);
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

std::function<void(const QString&)> sampleWith(QStringList changes)
{
    return [changes](const QString& path) { makeSampleStore(path, changes); };
}

namespace {

constexpr __u32 kPermissionOverrides = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH);

// The thread's effective capabilities with the permission overrides on or off.
bool setPermissionOverrides(bool on)
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] = {};
    if (syscall(SYS_capget, &header, data) != 0) {
        return false;
    }
    data[0].effective = on ? data[0].effective | (data[0].permitted & kPermissionOverrides)
                           : data[0].effective & ~kPermissionOverrides;
    return syscall(SYS_capset, &header, data) == 0;
}

} // namespace

PermissionsBind::PermissionsBind() : m_lowered(geteuid() == 0 && setPermissionOverrides(false)) {}

PermissionsBind::~PermissionsBind()
{
    if (m_lowered) {
        setPermissionOverrides(true);
    }
}

DiskFull::DiskFull(rlim_t bytes) : m_previous(std::signal(SIGXFSZ, SIG_IGN))
{
    EXPECT_EQ(getrlimit(RLIMIT_FSIZE, &m_saved), 0);
    rlimit small = m_saved;
    small.rlim_cur = bytes;
    EXPECT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
}

DiskFull::~DiskFull()
{
    setrlimit(RLIMIT_FSIZE, &m_saved);
    std::signal(SIGXFSZ, m_previous);
}
