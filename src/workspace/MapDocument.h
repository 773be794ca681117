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

// Removes the entry at `index` (from 0) and marks the document unsaved;
// returns the entry removed, or nothing where there was none.
std::optional<Entry> RemoveEntry(Workspace& ws, qsizetype index);

// Writes colLines to `path`, each line ended by CR LF, in UTF-8. The file is
// replaced only once everything is written, so a failure leaves an earlier
// file untouched; where the folder refuses the new file but the target may be
// written, the target is written in place. On success the document is saved
// at `path`; on failure nothing changes and the system's reason is returned.
std::optional<QString> WriteIniFile(Workspace& ws, const QString& path);

} // namespace ravelock
