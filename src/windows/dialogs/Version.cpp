#include "windows/dialogs/Version.h"

namespace ravelock {

VersionRecord ProgramVersion()
{
    return {RAVELOCK_VERSION_MAJOR, RAVELOCK_VERSION_MINOR, RAVELOCK_VERSION_PATCH,
            QStringLiteral("Ravelock, written by the Ravelock developers"),
            QStringLiteral("With thanks to the authors of the Targa viewers that showed us the way")};
}

} // namespace ravelock
