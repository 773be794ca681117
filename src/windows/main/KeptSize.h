#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QSize>

class QWidget;

namespace ravelock {

// Some compositors answer a size the program sets with configures that were
// already under way and carry a size the window had before, and Qt's Wayland
// client goes back to such a size when the window is activated again, as when
// a dialog closes; Qt obeys them. This sets the program's size again every
// time, until the user sizes the window: a user's resize lands on exactly such
// a size only by chance. A compositor that insists is obeyed after a few tries.
class KeptSize final {
public:
    explicit KeptSize(QWidget& window) : window_(window) {}

    void Resize(QSize wanted);
    // To be called from the window's resize event.
    void Resized();

private:
    QWidget& window_;
    QSize wanted_;           // the last size the program set, until the user sets one
    QList<QSize> sizesLeft_; // sizes the window had before the program changed them
    int reassertions_ = 0;   // in the current burst
    QElapsedTimer burst_;
};

} // namespace ravelock
