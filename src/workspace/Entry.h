#pragma once

#include <QRect>
#include <QString>

#include <algorithm>
#include <cstdint>

namespace ravelock {

// A named region: the texels clicked as its corners, both included. A
// rectangle clicked bottom-right first stays inverted.
struct Entry {
    QString name;
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    bool operator==(const Entry&) const = default;
    // The texels it covers, whichever corner was clicked first.
    QRect Box() const
    {
        return {QPoint(std::min(left, right), std::min(top, bottom)),
                QPoint(std::max(left, right), std::max(top, bottom))};
    }
};

} // namespace ravelock
