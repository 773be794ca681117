#pragma once

#include <QObject>
#include <QPoint>
#include <QRect>

#include "workspace/Workspace.h"

#include <functional>
#include <map>
#include <optional>
#include <vector>

class QAction;

namespace ravelock {

class DrawingArea;
class Magnifier;
class TextureShapes;

// The View menu's aids, all off at start: the regions drawn over the picture
// with the shapes not yet mapped, the magnifier beside the panel, and the
// transparent texels on a checkerboard; and the texel grid, on at start but
// drawn only on a zoomed picture.
class ViewAids final : public QObject {
    Q_OBJECT
public:
    // `toggles` are the View menu's, by name; `magnifierToggled` lays the window out again for the magnifier's column.
    ViewAids(const Workspace& ws, const std::map<QString, QAction*>& toggles, DrawingArea& drawing,
             Magnifier& magnifier, std::function<void()> magnifierToggled, const TextureShapes& shapes);

signals:
    // How many shapes no entry covers, while the regions show and the shapes are known.
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
    // The entries a dialog would add, outlined whether or not the regions show.
    void Plan(std::vector<QRect> planned);

private:
    void ShowRegions(bool shown);
    // The magnifier on the pointer's texel, else on the corner set last.
    void Follow();
    // The shapes that no entry covers, leaving out the one being adjusted.
    const std::vector<QRect>& Uncovered();

    const Workspace& ws_;
    const TextureShapes& shapes_;
    DrawingArea& drawing_;
    Magnifier& magnifier_;
    QAction* regions_;
    QAction* magnify_;
    std::optional<QPoint> pointer_;
    std::optional<QPoint> lastCorner_; // the corner set last while a region is pending
    int chosen_ = -1;
    std::optional<std::pair<int, Entry>> preview_;
    std::vector<QRect> planned_;
    std::optional<std::size_t> pointed_; // the last entry holding the pointer's texel
    std::optional<std::vector<QRect>> uncovered_;
    std::vector<QRect> coveredBy_; // the boxes `uncovered_` was worked out against
};

} // namespace ravelock
