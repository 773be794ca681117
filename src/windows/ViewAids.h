#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>

#include "workspace/Workspace.h"

#include <functional>
#include <optional>
#include <vector>

class QAction;
class QMenu;

namespace ravelock {

class DrawingArea;
class Magnifier;


// The View menu's aids, all off at start: the regions drawn over the picture
// with the shapes not yet mapped, the magnifier beside the panel, and the
// transparent texels on a checkerboard.
class ViewAids final : public QObject {
    Q_OBJECT
public:
    // The texture's shapes, found when first asked for; nothing until it has painted.
    using ShapeSource = std::function<const std::vector<QRect>*()>;
    // `magnifierToggled` lays the window out again for the magnifier's column.
    ViewAids(const Workspace& ws, QMenu& menu, DrawingArea& drawing, Magnifier& magnifier,
             std::function<void()> magnifierToggled, ShapeSource shapes);

signals:
    // How many shapes no entry covers, while the regions show.
    void ShapesLeft(std::optional<int> count);

public:

    // Shows the entries and corners as the workspace now has them.
    void Update();
    // The texel under the pointer or the keys' cursor; nothing once it has left the picture.
    void PointerAt(std::optional<QPoint> texel);
    // The entry chosen in the list, outlined apart; -1 for none.
    void Choose(int index);
    // Values shown for the entry at `index` instead of its own while they are being edited.
    void Preview(std::optional<std::pair<int, Entry>> edited);

private:
    void ShowRegions(bool shown);
    // The magnifier on the pointer's texel, else on the corner set last.
    void Follow();

    const Workspace& ws_;
    ShapeSource shapes_;
    DrawingArea& drawing_;
    Magnifier& magnifier_;
    QAction* regions_;
    QAction* magnify_;
    std::optional<QPoint> pointer_;
    std::optional<QPoint> lastCorner_; // the corner set last while a region is pending
    int chosen_ = -1;
    std::optional<std::pair<int, Entry>> preview_;
};

} // namespace ravelock
