#include "windows/main/ClientLayout.h"

#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyle>

#include <algorithm>
#include <cmath>
#include <tuple>

namespace ravelock {

namespace {

bool Expanding(const QWidget& column) { return column.sizePolicy().verticalPolicy() & QSizePolicy::ExpandFlag; }

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

QRect FitWindow(const QMainWindow& window, const ClientLayout& layout, QSize content)
{
    const QSize panel = layout.SideExtent();
    const QRect available = window.screen()->availableGeometry();
    const QRect outer = window.frameGeometry();
    QSize frameSize = outer.size() - window.geometry().size();
    // A compositor that draws the frame itself reports none and centres the
    // window without its title bar: allow for that bar twice, and borders.
    if (frameSize.isNull())
        frameSize = QSize(16, 2 * (window.style()->pixelMetric(QStyle::PM_TitleBarHeight) + 8));
    const int chrome = window.menuBar()->height() + window.statusBar()->height();
    // At a fractional scale Qt asks for sizes in steps of whole device pixels,
    // and a window manager rounds down to them: a little more keeps the picture whole.
    const qreal scale = window.devicePixelRatioF();
    const int slack = scale == std::floor(scale) ? 0 : static_cast<int>(std::ceil(std::ceil(scale) / scale));
    const QSize room = available.size() - frameSize - QSize(panel.width() + slack, chrome + slack);
    const PictureFrame frame = FramePicture(content, room, window.style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    const QSize size(frame.frame.width() + panel.width() + slack,
                     std::max(frame.frame.height(), panel.height()) + slack + chrome);
    // The whole window on the screen.
    const QSize outerSize = size + frameSize;
    QPoint at = outer.topLeft();
    at.setX(std::max(available.left(), std::min(at.x(), available.right() + 1 - outerSize.width())));
    at.setY(std::max(available.top(), std::min(at.y(), available.bottom() + 1 - outerSize.height())));
    return {at, size};
}

ClientLayout::ClientLayout(QWidget& client, QScrollArea& frame, std::map<PanelControl, QWidget*> panel,
                           std::vector<QWidget*> columns)
    : QLayout(&client), frame_(frame), panel_(std::move(panel)), columns_(std::move(columns))
{
    setContentsMargins(0, 0, 0, 0);
    setSizeConstraint(QLayout::SetMinimumSize);
    addWidget(&frame_);
    for (const auto& [control, widget] : panel_)
        addWidget(widget);
    for (QWidget* column : columns_)
        addWidget(column);
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
    QSize extent = PanelExtent(sizes);
    for (const QWidget* column : columns_)
        if (!column->isHidden())
            extent = {extent.width() + column->sizeHint().width() + kColumnGap,
                      std::max(extent.height(),
                               Expanding(*column) ? column->minimumSizeHint().height() : column->sizeHint().height())};
    return extent;
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
    // Beside the panel, straddling the picture's middle as the panel does, or as tall as the client area.
    int x = frame_.width() + PanelExtent(sizes).width();
    for (QWidget* column : columns_) {
        if (column->isHidden())
            continue;
        QSize size = column->sizeHint();
        int y = std::max(0, (visible_.height() - size.height()) / 2);
        if (Expanding(*column))
            std::tie(y, size) = std::pair(0, QSize(size.width(), rect.height()));
        column->setGeometry(QRect(rect.topLeft() + QPoint(x, y), size));
        x += size.width() + kColumnGap;
    }
}

} // namespace ravelock
