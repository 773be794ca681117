#include "workspace/Workspace.h"

#include <algorithm>

namespace ravelock {

std::optional<std::size_t> Workspace::Find(const QString& name) const
{
    const auto found = std::find_if(entries.begin(), entries.end(), [&name](const Entry& e) { return e.name == name; });
    return found == entries.end() ? std::nullopt : std::optional(static_cast<std::size_t>(found - entries.begin()));
}

bool Workspace::Holds(QPoint texel) const
{
    return texel.x() >= 0 && texel.y() >= 0 && texel.x() <= imageWidth && texel.y() <= imageHeight;
}

void Workspace::SavedAs(const QString& path)
{
    mapPath = path;
    history.MarkSaved();
}

} // namespace ravelock
