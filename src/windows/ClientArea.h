#pragma once

#include <QWidget>

#include <functional>

namespace ravelock {

// The main window's client area: it lays out the picture and the panel
// whenever its size changes.
class ClientArea final : public QWidget {
public:
    ClientArea(QWidget* parent, std::function<void()> layout) : QWidget(parent), layout_(std::move(layout)) {}

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QWidget::resizeEvent(event);
        layout_();
    }

private:
    std::function<void()> layout_;
};

} // namespace ravelock
