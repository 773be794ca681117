#pragma once

#include <QString>

namespace ravelock {

// The program's version record, shown on the splash window.
struct VersionRecord {
    int major = 0;
    int minor = 0;
    int revision = 0;
    QString fileDescription;
    QString comments;
};

// The record of this build: the project's version and its two credit lines.
VersionRecord ProgramVersion();

} // namespace ravelock
