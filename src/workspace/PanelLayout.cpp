#include "workspace/PanelLayout.h"

namespace ravelock {

std::map<PanelControl, QPoint> PlacePanel(QSize pictureInView, const std::map<PanelControl, QSize>& sizes)
{
    using C = PanelControl;
    const int fieldHeight = sizes.at(C::txtLeft).height();
    // The rows keep a gap from the middle, rounded away from it for an odd height.
    int firstRow = (pictureInView.height() + 1) / 2 - kPanelGap - fieldHeight;
    int secondRow = pictureInView.height() / 2 + kPanelGap;
    if (firstRow < 0) {
        firstRow = 0;
        secondRow = fieldHeight + kPanelGap;
    }
    constexpr C kRows[2][4] = {{C::lblLeft, C::txtLeft, C::lblTop, C::txtTop},
                               {C::lblRight, C::txtRight, C::lblBottom, C::txtBottom}};
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

} // namespace ravelock
