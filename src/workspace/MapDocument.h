#pragma once

#include "workspace/Workspace.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace ravelock {

inline const QString kEntryPrefix = QStringLiteral("MappedImage ");

// `path` as the decoder opens it: the system's bytes for a file name, or UTF-8 on Windows, whose wide-character
// calls take every name.
std::string TexturePath(const QString& path);

// The five lines every document starts with.
QStringList HeaderLines();

// The eight lines of `entry`.
QStringList EntryBlock(const MapHeader& map, const Entry& entry);

// Every line of a map of `entries`, without terminators: the header, then each entry's block.
QStringList MapLines(const MapHeader& map, const std::vector<Entry>& entries);

// The bytes of `lines` as a map file holds them: each line ended by CR LF, in UTF-8.
QByteArray DocumentBytes(const QStringList& lines);

// How many entries the file at `path` holds, as Ravelock writes them on any
// texture, whose names the workspace's document does not hold; 0 for any other file.
int EntriesNotHeld(const QString& path, const Workspace& ws);

// Writes a map of `entries` to `path`. The file is replaced only once everything is written, so a failure leaves
// an earlier file untouched; where the folder refuses the new file but the target may be written, the target is
// written in place. On failure the system's reason is returned.
std::optional<QString> WriteMapFile(const MapHeader& map, const std::vector<Entry>& entries, const QString& path);

// WriteMapFile of the workspace's document; on success the document is saved at `path`.
std::optional<QString> WriteIniFile(Workspace& ws, const QString& path);

// Why a file is not a map of the open texture: the line (from 1) and what is wrong there.
struct MapRefusal {
    int line; // 0 where the file itself cannot be read
    QString reason;

    // "line 18: reason", or the reason alone where it names its line itself or there is none.
    QString Text() const;
};

// The entries of a map as WriteMapFile writes it on the texture `map` names: the header lines, then eight-line
// blocks. Lines may end in CR LF or LF. Any other content is refused, naming its line.
std::variant<std::vector<Entry>, MapRefusal> ReadMap(const QByteArray& bytes, const MapHeader& map);

// ReadMap on the file at `path`; a file that cannot be read, or is far too
// large to be a map, is refused at line 0 with the reason.
std::variant<std::vector<Entry>, MapRefusal> ReadMapFile(const QString& path, const MapHeader& map);

// The line (from 1) of the document that starts the block of entry `index` (from 0).
int EntryLine(std::size_t index);

// `base` and `number`, with as many digits as `count` has: "Icon07" of 42.
QString NumberedName(const QString& base, std::size_t number, std::size_t count);

} // namespace ravelock
