// Writes the map fuzzer's seeds: maps of ui.tga (512 x 256) as Save writes them.
#include "workspace/MapDocument.h"

#include <QDir>

#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: map_fuzz_seeds FOLDER\n";
        return 2;
    }
    using ravelock::Entry;
    const std::vector<std::vector<Entry>> maps = {
        {},
        {{QStringLiteral("Button"), 10, 20, 73, 83}},
        {{QStringLiteral("Left"), 0, 0, 512, 256},
         {QStringLiteral("Back"), 9, 8, 7, 6},
         {QString::fromUtf8("Tür"), 1, 1, 1, 1}},
    };
    for (std::size_t i = 0; i < maps.size(); ++i) {
        ravelock::Workspace ws{
            .entries = maps[i], .imageHeight = 256, .imageWidth = 512, .textureName = QStringLiteral("ui.tga")};
        const QString path = QDir(QString::fromLocal8Bit(argv[1])).filePath(QStringLiteral("map-%1.ini").arg(i));
        if (ravelock::WriteIniFile(ws, path)) {
            std::cerr << "map_fuzz_seeds: cannot write to " << argv[1] << '\n';
            return 1;
        }
    }
    return 0;
}
