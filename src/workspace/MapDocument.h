#pragma once

#include "workspace/Workspace.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace ravelock {

inline const QString kEntryPrefix = QStringLiteral("MappedImage ");

// The five lines every document starts with.
QStringList HeaderLines();

// The eight lines of `entry`, on the workspace's texture.
QStringList EntryBlock(const Workspace& ws, const Entry& entry);

// Adds an entry named `name` at the corners the workspace holds now.
void AppendEntry(Workspace& ws, const QString& name);

// Removes the entry at `index` (from 0) and marks the document unsaved;
// returns the entry removed, or nothing where there was none.
std::optional<Entry> RemoveEntry(Workspace& ws, qsizetype index);

// Writes colLines to strIniPath, each line ended by CR LF, in UTF-8. The file
// is replaced only once everything is written, so a failure leaves an earlier
// file untouched; where the folder refuses the new file but the target may be
// written, the target is written in place. On success sets blnSaved, clears
// blnNoIniPath and blnSaveFailed; on failure changes nothing and returns the
// system's reason.
std::optional<QString> WriteIniFile(Workspace& ws);

} // namespace ravelock
