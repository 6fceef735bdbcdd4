// Reading SQLite's values by their storage class, quoting names for SQL text, naming connections.
#include "SqlValues.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include <atomic>
#include <cmath>
#include <limits>

QString nextConnectionName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("plimo-store-%1").arg(++counter);
}

QString quoted(const QString& identifier)
{
    QString inner = identifier;
    inner.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + inner + QLatin1Char('"');
}

// Every byte that could end or change the path ('?', '#', '%', spaces, non-ASCII) is
// percent-encoded.
QString sqliteUri(const QString& path, const char* mode)
{
    const QString absolute = QDir::fromNativeSeparators(QFileInfo(path).absoluteFilePath());
    const QByteArray encoded = QUrl::toPercentEncoding(absolute, "/");
    return QStringLiteral("file:") + QString::fromLatin1(encoded) + QStringLiteral("?mode=") +
           QLatin1String(mode);
}

QString notNull(const QString& text)
{
    return text.isNull() ? QStringLiteral("") : text;
}

bool holdsInteger(const QVariant& value)
{
    const int type = value.typeId();
    return !value.isNull() && (type == QMetaType::LongLong || type == QMetaType::Int ||
                               type == QMetaType::ULongLong || type == QMetaType::UInt);
}

bool holdsReal(const QVariant& value)
{
    return !value.isNull() && value.typeId() == QMetaType::Double;
}

std::optional<QString> textFrom(const QVariant& value)
{
    if (value.isNull() || value.typeId() == QMetaType::QByteArray) {
        return std::nullopt;
    }
    if (value.typeId() == QMetaType::QString || holdsInteger(value) || holdsReal(value)) {
        return value.toString();
    }
    return std::nullopt;
}

std::optional<std::int32_t> colourFrom(const QVariant& value)
{
    if (!holdsInteger(value)) {
        return std::nullopt;
    }
    const qlonglong number = value.toLongLong();
    if (number < std::numeric_limits<std::int32_t>::min() ||
        number > std::numeric_limits<std::uint32_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(number));
}

std::optional<double> fontSizeFrom(const QVariant& value)
{
    if (!holdsInteger(value) && !holdsReal(value)) {
        return std::nullopt;
    }
    const double size = value.toDouble();
    if (!std::isfinite(size) || size <= 0 || size > std::numeric_limits<std::int16_t>::max()) {
        return std::nullopt;
    }
    return size;
}

std::optional<bool> flagFrom(const QVariant& value)
{
    if (!holdsInteger(value)) {
        return std::nullopt;
    }
    return value.toLongLong() != 0;
}

std::optional<QSqlError> run(QSqlQuery& query, const QString& statement)
{
    if (!query.exec(statement))
        return query.lastError();
    return std::nullopt;
}
