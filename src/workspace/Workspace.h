#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <deque>

namespace ravelock {

// Everything the main window knows, alive exactly as long as the window.
// Image sizes are in twips (15 per pixel); corners are in pixels.
struct Workspace {
    QStringList colNames;           // "MappedImage <name>", one per entry, in entry order
    std::int32_t lngRemoveNumber = 0; // 1-based entry the delete dialog asks to remove; 0 = none
    std::int32_t lngImageHeight = 0;
    std::int32_t lngImageWidth = 0;
    QString strTexturePath;
    QString strTextureName;
    std::int32_t lngTop = 0;
    std::int32_t lngLeft = 0;
    std::int32_t lngRight = 0;
    std::int32_t lngBottom = 0;
    bool blnAwaitFirst = false;
    bool blnAwaitSecond = false;
    QStringList colLines;           // every line of the document, without terminators
    QString strIniPath;
    bool blnSaved = true;
    bool blnNoIniPath = true;
    std::deque<std::int32_t> colRedo; // the corner redo stack; front() is the top
    bool blnSaveFailed = false;
};

} // namespace ravelock
