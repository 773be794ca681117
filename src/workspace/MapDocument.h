#pragma once

#include "workspace/Workspace.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace ravelock {

inline const QString kEntryPrefix = QStringLiteral("MappedImage ");

// Appends the five header lines to colLines.
void AddHeaderLines(Workspace& ws);

// The eight lines of an entry named `name`, from the workspace as it is now.
QStringList EntryBlock(const Workspace& ws, const QString& name);

// Appends the entry's first line to colNames and its eight lines to colLines.
void AppendEntry(Workspace& ws, const QString& name);

// Removes entry lngRemoveNumber: its colNames item and the block whose first
// line equals it exactly, and marks the document unsaved. A key that matches
// no block removes nothing; returns whether something was removed.
bool RemoveEntry(Workspace& ws);

// Writes colLines to strIniPath, each line ended by CR LF, in UTF-8. The file
// is replaced only once everything is written, so a failure leaves an earlier
// file untouched; where the folder refuses the new file but the target may be
// written, the target is written in place. On success sets blnSaved, clears
// blnNoIniPath and blnSaveFailed; on failure changes nothing and returns the
// system's reason.
std::optional<QString> WriteIniFile(Workspace& ws);

} // namespace ravelock
