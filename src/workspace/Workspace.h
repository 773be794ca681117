#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <deque>
#include <vector>

namespace ravelock {

// A named region: the texels clicked as its corners, both included. A
// rectangle clicked bottom-right first stays inverted.
struct Entry {
    QString name;
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

// Everything the main window knows, alive exactly as long as the window.
// Sizes and corners are in texels.
struct Workspace {
    std::vector<Entry> entries; // the document, in entry order
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
    QString strIniPath;
    bool blnSaved = true;
    bool blnNoIniPath = true;
    std::deque<std::int32_t> colRedo; // the corner redo stack; front() is the top
    bool blnSaveFailed = false;

    // "MappedImage <name>", one per entry, in entry order.
    QStringList colNames() const;
    // Every line of the document, without terminators: the header, then each entry's block.
    QStringList colLines() const;
};

} // namespace ravelock
