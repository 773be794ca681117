#pragma once

#include "windows/main/PanelLayout.h"

#include <QLayout>
#include <QList>

#include <map>
#include <vector>

class QMainWindow;
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
// coordinate panel beside the part of the picture in view, and beside the
// panel the columns that show (the magnifier, the entries list). However small
// the window, the panel, the columns, a corner of the picture and both scroll
// bars stay in it.
class ClientLayout final : public QLayout {
public:
    // A column of vertically expanding size policy is as tall as the picture in view; others are centred on it.
    ClientLayout(QWidget& client, QScrollArea& frame, std::map<PanelControl, QWidget*> panel,
                 std::vector<QWidget*> columns);
    ~ClientLayout() override;

    // The space between columns.
    static constexpr int kColumnGap = 8;

    // The panel's column beside the picture, with the columns that show.
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
    std::vector<QWidget*> columns_;
    QList<QLayoutItem*> items_;
    QSize visible_;
};

// Where `window`'s frame goes and how large the window is, to hold a picture of `content` pixels at one texel a
// pixel beside the layout's side, as far as the screen has room: the picture scrolls where it has not.
QRect FitWindow(const QMainWindow& window, const ClientLayout& layout, QSize content);

} // namespace ravelock
