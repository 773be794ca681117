#pragma once

#include "workspace/MapDocument.h"

#include <QDateTime>
#include <QString>

#include <optional>
#include <variant>

namespace ravelock {

// Copies of unsaved documents in a folder of the user's data, one per texture
// file, written whole and atomically after every change, so that a crash or a
// killed session loses nothing.
class Recovery {
public:
    // The folder the program keeps its copies in.
    static QString DefaultFolder();
    explicit Recovery(QString folder) : folder_(std::move(folder)) {}

    // The copy of the document on the workspace's texture.
    QString PathFor(const Workspace& ws) const;
    // Nothing on success, else the system's reason.
    std::optional<QString> Write(const Workspace& ws) const;
    void Remove(const Workspace& ws) const;

    struct Copy {
        std::vector<Entry> entries;
        QString iniPath; // where the document had been saved, or empty
        QDateTime written;
    };
    struct Damaged {
        QString reason;
    };
    // The copy for the workspace's texture, if there is one.
    std::variant<std::monostate, Copy, Damaged> Read(const Workspace& ws) const;
    // Moves a damaged copy out of the way; returns where it went.
    QString SetAside(const Workspace& ws) const;

private:
    QString folder_;
};

} // namespace ravelock
