#pragma once

#include "windows/PanelLayout.h"

#include <QLayout>
#include <QList>

#include <map>

class QScrollArea;

namespace ravelock {

struct PictureFrame {
    QSize frame;   // the scrolling frame, scroll bars included
    QSize visible; // the part of the picture in view
};

// Fits a picture of `content` pixels into `room`, with scroll bars of
// `bar` pixels only along the directions that do not fit.
PictureFrame FramePicture(QSize content, QSize room, int bar);

// The main window's client area: the picture's frame at the top left, the
// coordinate panel beside the part of the picture in view, and the magnifier
// beside the panel while it shows. However small the window, the panel, the
// magnifier, a corner of the picture and both scroll bars stay in it.
class ClientLayout final : public QLayout {
public:
    ClientLayout(QWidget& client, QScrollArea& frame, std::map<PanelControl, QWidget*> panel, QWidget& magnifier);
    ~ClientLayout() override;

    // The panel's column beside the picture, with the magnifier's while it shows.
    QSize SideExtent() const;
    // The picture's part in view, without the column and row just past the texture.
    QSize PictureInView() const;
    // Lays the client area out again after the picture's size changed.
    void Relayout();

    void setGeometry(const QRect& rect) override;
    QSize sizeHint() const override { return minimumSize(); }
    QSize minimumSize() const override;
    void addItem(QLayoutItem* item) override { items_.append(item); }
    QLayoutItem* itemAt(int index) const override { return items_.value(index); }
    QLayoutItem* takeAt(int index) override;
    int count() const override { return static_cast<int>(items_.size()); }

private:
    int ScrollBar() const;

    QScrollArea& frame_;
    std::map<PanelControl, QWidget*> panel_;
    QWidget& magnifier_;
    QList<QLayoutItem*> items_;
    QSize visible_;
};

} // namespace ravelock
