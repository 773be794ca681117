#pragma once

#include <QScrollArea>

#include <functional>
#include <optional>

namespace ravelock {

class DrawingArea;

// The frame the picture scrolls in, and the picture's zoom. Shift turns the
// wheel sideways, as in other picture viewers; Ctrl asks to zoom.
class ScrollingPicture final : public QScrollArea {
    Q_OBJECT
public:
    explicit ScrollingPicture(QWidget* parent);

    // Screen pixels a texel, a step in (`in`) or out from `zoom`; the last step stays.
    static int NextZoom(int zoom, bool in);
    // The picture at `zoom`; `relayout` fits the frame to the picture's new size before the view scrolls so that
    // the point `at` of the view (its middle without one) keeps its texel.
    void ZoomTo(int zoom, std::optional<QPointF> at, const std::function<void()>& relayout);
    // The keyboard to the picture, the keys' cursor on the texel in the middle of the view.
    void PickWithKeys();

signals:
    // One step in (`in`) or out, about the point `at` of the viewport.
    void ZoomWheeled(bool in, QPointF at);

protected:
    void wheelEvent(QWheelEvent* event) override;

private:
    DrawingArea& Picture() const;

    int zoomDelta_ = 0; // a touchpad or a fine wheel sends fractions of a step
};

} // namespace ravelock
