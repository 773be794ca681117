#include "windows/ClientLayout.h"

#include <QScrollArea>
#include <QStyle>

#include <algorithm>

namespace ravelock {

namespace {

// The magnifier's distance from the panel.
constexpr int kMagnifierGap = 8;

} // namespace

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

ClientLayout::ClientLayout(QWidget& client, QScrollArea& frame, std::map<PanelControl, QWidget*> panel,
                           QWidget& magnifier)
    : QLayout(&client), frame_(frame), panel_(std::move(panel)), magnifier_(magnifier)
{
    setContentsMargins(0, 0, 0, 0);
    setSizeConstraint(QLayout::SetMinimumSize);
    addWidget(&frame_);
    for (const auto& [control, widget] : panel_)
        addWidget(widget);
    addWidget(&magnifier_);
}

ClientLayout::~ClientLayout()
{
    while (QLayoutItem* item = takeAt(0))
        delete item;
}

QLayoutItem* ClientLayout::takeAt(int index)
{
    return index >= 0 && index < items_.size() ? items_.takeAt(index) : nullptr;
}

int ClientLayout::ScrollBar() const { return frame_.style()->pixelMetric(QStyle::PM_ScrollBarExtent); }

QSize ClientLayout::SideExtent() const
{
    std::map<PanelControl, QSize> sizes;
    for (const auto& [control, widget] : panel_)
        sizes[control] = widget->size();
    const QSize panel = PanelExtent(sizes);
    if (magnifier_.isHidden())
        return panel;
    const QSize magnifier = magnifier_.sizeHint();
    return {panel.width() + magnifier.width() + kMagnifierGap, std::max(panel.height(), magnifier.height())};
}

QSize ClientLayout::minimumSize() const
{
    const QSize side = SideExtent();
    return {side.width() + 64 + ScrollBar(), std::max(side.height(), 64 + ScrollBar())};
}

// The picture is one pixel larger than the image it shows, for clicks just past its last texel.
QSize ClientLayout::PictureInView() const
{
    return {std::max(0, frame_.width() - 1), std::max(0, visible_.height() - 1)};
}

void ClientLayout::Relayout() { setGeometry(geometry()); }

void ClientLayout::setGeometry(const QRect& rect)
{
    QLayout::setGeometry(rect);
    const QWidget* picture = frame_.widget();
    const QSize room = rect.size() - QSize(SideExtent().width(), 0);
    const PictureFrame framed = FramePicture(picture ? picture->size() : QSize(), room, ScrollBar());
    frame_.setGeometry(QRect(rect.topLeft(), framed.frame));
    visible_ = framed.visible;
    std::map<PanelControl, QSize> sizes;
    for (const auto& [control, widget] : panel_)
        sizes[control] = widget->size();
    for (const auto& [control, at] : PlacePanel(PictureInView(), sizes))
        panel_.at(control)->move(rect.topLeft() + at);
    // Beside the panel, straddling the picture's middle as the panel does.
    const QSize magnifier = magnifier_.sizeHint();
    magnifier_.setGeometry(QRect(rect.topLeft() + QPoint(frame_.width() + PanelExtent(sizes).width(),
                                                         std::max(0, (visible_.height() - magnifier.height()) / 2)),
                                 magnifier));
}

} // namespace ravelock
