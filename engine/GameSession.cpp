// The session's count captions read as numbers.
#include "GameSession.h"

std::optional<qint64> captionNumber(const QString& caption)
{
    bool ok = false;
    const qint64 value = caption.trimmed().toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}
