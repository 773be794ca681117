// Saves a document of the header lines to the path given, with the program's
// own code, and prints "saved" or the reason it could not.
#include "workspace/MapDocument.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    ravelock::Workspace ws;
    ws.strIniPath = QString::fromLocal8Bit(argv[1]);
    const auto failure = ravelock::WriteIniFile(ws);
    std::printf("%s\n", failure ? failure->toLocal8Bit().constData() : "saved");
    return failure ? 1 : 0;
}
