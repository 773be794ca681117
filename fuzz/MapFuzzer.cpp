// Feeds arbitrary bytes to the map reader that Open Map, a dropped file and
// the commands share. A map it accepts must come back the same when written
// and read again.
#include "workspace/MapDocument.h"

#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ravelock::Workspace ws{.imageHeight = 256, .imageWidth = 512, .textureName = QStringLiteral("ui.tga")};
    auto read =
        ravelock::ReadMap(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)), ws.Header());
    if (auto* entries = std::get_if<std::vector<ravelock::Entry>>(&read)) {
        ws.entries = std::move(*entries);
        const QByteArray written = ws.Lines().join(QStringLiteral("\r\n")).toUtf8() + "\r\n";
        const auto again = ravelock::ReadMap(written, ws.Header());
        if (!std::holds_alternative<std::vector<ravelock::Entry>>(again) ||
            std::get<std::vector<ravelock::Entry>>(again) != ws.entries) {
            std::fprintf(stderr, "an accepted map did not read back the same\n");
            std::abort();
        }
    }
    return 0;
}
