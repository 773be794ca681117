#include "windows/main/PanelLayout.h"

#include <algorithm>

namespace ravelock {

namespace {

using C = PanelControl;
constexpr C kRows[2][4] = {{C::lblLeft, C::txtLeft, C::lblTop, C::txtTop},
                           {C::lblRight, C::txtRight, C::lblBottom, C::txtBottom}};

} // namespace

std::map<PanelControl, QPoint> PlacePanel(QSize pictureInView, const std::map<PanelControl, QSize>& sizes)
{
    const int fieldHeight = sizes.at(C::txtLeft).height();
    // The rows keep a gap from the middle, rounded away from it for an odd height.
    int firstRow = (pictureInView.height() + 1) / 2 - kPanelGap - fieldHeight;
    int secondRow = pictureInView.height() / 2 + kPanelGap;
    if (firstRow < 0) {
        firstRow = 0;
        secondRow = fieldHeight + kPanelGap;
    }
    std::map<PanelControl, QPoint> placed;
    for (int row = 0; row < 2; ++row) {
        int x = pictureInView.width() + kPanelGap;
        for (C control : kRows[row]) {
            placed[control] = QPoint(x, row == 0 ? firstRow : secondRow);
            x += sizes.at(control).width() + kPanelGap;
        }
    }
    return placed;
}

QSize PanelExtent(const std::map<PanelControl, QSize>& sizes)
{
    int widest = 0;
    for (const auto& row : kRows) {
        int width = 0;
        for (C control : row)
            width += sizes.at(control).width() + kPanelGap;
        widest = std::max(widest, width);
    }
    return {widest + 8, 2 * sizes.at(C::txtLeft).height() + kPanelGap + 2};
}

} // namespace ravelock
