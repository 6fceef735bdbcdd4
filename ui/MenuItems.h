// The menus' items: one named by its objectName, and the filler line between groups.
#pragma once

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QString>

namespace menuitems {

inline const QString kFiller = QStringLiteral("--------------------");

inline QAction* addItem(QMenu* menu, const char* name, const QString& caption,
                        const QKeySequence& key = {})
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromUtf8(name));
    if (!key.isEmpty())
        action->setShortcut(key);
    return action;
}

} // namespace menuitems
