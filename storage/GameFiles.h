// Making game files beside the open one: an empty game, or the open game under a new name. Each
// is written aside in the target's folder, synced to disk, then given its name; an existing file
// is never replaced, and a failure leaves nothing behind.
#pragma once

#include "GameStore.h"

#include <QList>
#include <QString>

#include <functional>

// The game file a chosen name stands for: the name with ".mdb" added when it lacks it.
QString withGameSuffix(const QString& path);

// Whether the name is taken, by a file or by a link even to nothing: no new game may take it.
bool nameTaken(const QString& path);
// Why a new game may not take the name, then the path.
QString nameTakenMessage(const QString& path);
// Why a game file could not be made (the system's reason), then the path the user chose.
QString notMadeMessage(const QString& reason, const QString& path);

// Where a new game file is written before it takes its name, as a QTemporaryFile template: a
// hidden file of the target's folder that names its owner, this machine and that process.
QString scratchTemplate(const QString& target, qint64 owner);
// Removes from the folder the scratch files that a Plimo of this machine, since ended (killed),
// left behind: only the user's own plain files named as scratch files are, and never while their
// process runs.
void sweepScratchFiles(const QString& folder);

// Makes an empty game at the path in this version's layout: données, compteurs, couleurs and
// options with one row each, empty texts, a remaining count of 0, no history, the couleurs row
// holding this look, and the options at their defaults but for the forum, the ranking and the
// rules.
[[nodiscard]] StoreStatus createEmptyGame(const QString& path, const QList<FieldValue>& look,
                                          Forum forum = Forum::Origine, bool rankingInPost = false,
                                          Rules rules = {});

// Copies the open store's last committed state to the path, lets `finish` write into the copy
// (the game as it stands; the copy holds the turns the source holds), then gives the copy its
// name. The source file is only read.
[[nodiscard]] StoreStatus copyGame(const GameStore& source, const QString& path,
                                   const std::function<StoreStatus(GameStore&)>& finish);
