#include "windows/WindowGeometry.h"

#include "workspace/PanelLayout.h"

#include <QWidget>

#include <algorithm>
#include <initializer_list>

namespace ravelock {

PictureFrame FramePicture(QSize content, QSize room, int bar)
{
    bool across = false;
    bool down = false;
    for (int pass = 0; pass < 2; ++pass) {
        across = content.width() > room.width() - (down ? bar : 0);
        down = content.height() > room.height() - (across ? bar : 0);
    }
    const QSize visible(std::min(content.width(), std::max(0, room.width() - (down ? bar : 0))),
                        std::min(content.height(), std::max(0, room.height() - (across ? bar : 0))));
    return {visible + QSize(down ? bar : 0, across ? bar : 0), visible};
}

QSize PanelExtent(const std::map<PanelControl, QWidget*>& controls)
{
    using C = PanelControl;
    const auto row = [&controls](std::initializer_list<C> row) {
        int width = 0;
        for (C c : row)
            width += controls.at(c)->width() + kPanelGap;
        return width;
    };
    const int fieldHeight = controls.at(C::txtLeft)->height();
    return {std::max(row({C::lblLeft, C::txtLeft, C::lblTop, C::txtTop}),
                     row({C::lblRight, C::txtRight, C::lblBottom, C::txtBottom})) + 8,
            2 * fieldHeight + kPanelGap + 2};
}

} // namespace ravelock
