#include "windows/main/ViewAids.h"

#include "windows/picture/DrawingArea.h"
#include "windows/picture/Magnifier.h"
#include "windows/picture/TextureShapes.h"
#include "workspace/Workspace.h"

#include <QAction>

#include <algorithm>

namespace ravelock {

ViewAids::ViewAids(const Workspace& ws, const std::map<QString, QAction*>& toggles, DrawingArea& drawing,
                   Magnifier& magnifier, std::function<void()> magnifierToggled, const TextureShapes& shapes)
    : QObject(&drawing), ws_(ws), shapes_(shapes), drawing_(drawing), magnifier_(magnifier),
      regions_(toggles.at(QStringLiteral("mnuViewRegions"))), magnify_(toggles.at(QStringLiteral("mnuViewMagnifier")))
{
    magnifier_.hide();
    connect(regions_, &QAction::toggled, this, &ViewAids::ShowRegions);
    connect(magnify_, &QAction::toggled, this, [this, toggled = std::move(magnifierToggled)](bool on) {
        magnifier_.setVisible(on);
        Follow();
        toggled();
    });
    connect(toggles.at(QStringLiteral("mnuViewTransparency")), &QAction::toggled, &drawing_,
            &DrawingArea::ShowTransparency);
    connect(toggles.at(QStringLiteral("mnuViewTexelGrid")), &QAction::toggled, &drawing_, &DrawingArea::ShowTexelGrid);
    connect(&shapes_, &TextureShapes::Found, this, [this] {
        uncovered_.reset();
        ShowRegions(regions_->isChecked());
    });
}

void ViewAids::Update()
{
    const Picking& picking = ws_.picking;
    lastCorner_ = picking.Second() ? picking.Second() : picking.First();
    ShowRegions(regions_->isChecked());
    Follow();
}

void ViewAids::ShowRegions(bool shown)
{
    RegionScene scene;
    if (shown) {
        scene.entries.reserve(ws_.entries.size());
        for (std::size_t i = 0; i < ws_.entries.size(); ++i) {
            const Entry& entry = preview_ && preview_->first == static_cast<int>(i) ? preview_->second : ws_.entries[i];
            scene.entries.push_back({entry.Box(), entry.name});
        }
        if (chosen_ >= 0 && chosen_ < static_cast<int>(ws_.entries.size()))
            scene.chosen = static_cast<std::size_t>(chosen_);
        scene.pointed = pointed_;
        const Picking& picking = ws_.picking;
        if (picking.step == Step::SecondCorner)
            scene.firstCorner = picking.first;
        else if (picking.step == Step::Naming)
            scene.pending = picking.Box();
        if (shapes_.All())
            for (const QRect& shape : Uncovered())
                if (!preview_ || !preview_->second.Box().contains(shape))
                    scene.shapes.push_back(shape);
    }
    scene.planned = planned_;
    if (preview_)
        scene.adjusting = preview_->second.Box();
    emit ShapesLeft(shown && shapes_.All() ? std::optional(static_cast<int>(scene.shapes.size())) : std::nullopt);
    drawing_.SetScene(std::move(scene));
}

// Worked out again only when the entries or the shapes change, or another entry is being adjusted: not as the
// pointer moves or a handle is dragged, which with thousands of each would cost millions of tests a step.
const std::vector<QRect>& ViewAids::Uncovered()
{
    const int except = preview_ ? preview_->first : -1;
    std::vector<QRect> boxes;
    boxes.reserve(ws_.entries.size());
    for (std::size_t i = 0; i < ws_.entries.size(); ++i)
        if (static_cast<int>(i) != except)
            boxes.push_back(ws_.entries[i].Box());
    if (uncovered_ && boxes == coveredBy_)
        return *uncovered_;
    uncovered_.emplace();
    for (const QRect& shape : *shapes_.All())
        if (std::none_of(boxes.begin(), boxes.end(), [&shape](const QRect& box) { return box.contains(shape); }))
            uncovered_->push_back(shape);
    coveredBy_ = std::move(boxes);
    return *uncovered_;
}

void ViewAids::Choose(int index)
{
    chosen_ = index;
    ShowRegions(regions_->isChecked());
}

void ViewAids::Preview(std::optional<std::pair<int, Entry>> edited)
{
    preview_ = std::move(edited);
    ShowRegions(regions_->isChecked());
}

void ViewAids::Plan(std::vector<QRect> planned)
{
    planned_ = std::move(planned);
    ShowRegions(regions_->isChecked());
}

void ViewAids::PointerAt(std::optional<QPoint> texel)
{
    pointer_ = texel;
    Follow();
    if (!regions_->isChecked())
        return;
    std::optional<std::size_t> pointed;
    for (std::size_t i = ws_.entries.size(); texel && i-- > 0;)
        if (ws_.entries[i].Box().contains(*texel)) {
            pointed = i;
            break;
        }
    if (pointed != pointed_) {
        pointed_ = pointed;
        ShowRegions(true);
    }
}

void ViewAids::Follow()
{
    if (magnify_->isChecked())
        magnifier_.Centre(pointer_ ? pointer_ : lastCorner_);
}

} // namespace ravelock
