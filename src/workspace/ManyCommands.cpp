// The commands that add many entries at once.
#include "workspace/MainCommands.h"

namespace ravelock {

bool MainCommands::Add(const Plan& plan, const QString& what, const QString& message)
{
    if (!plan.refusal.isEmpty()) {
        dialogs_.Message(plan.refusal, plan.title, MessageIcon::Information, MessageButtons::Ok);
        return false;
    }
    if (plan.entries.empty()) {
        view_.ShowMessage(QStringLiteral("Nothing was added"));
        return true;
    }
    EntryStep step{what, {}, {}};
    step.in.reserve(plan.entries.size());
    for (const Entry& entry : plan.entries)
        step.in.emplace_back(ws_.entries.size() + step.in.size(), entry);
    ws_.deleteOffered = true;
    Change(std::move(step), message);
    return true;
}

bool MainCommands::RepeatEntries(const std::vector<Entry>& sources, const RepeatSettings& settings)
{
    if (ws_.texture != Texture::Ready || sources.empty())
        return false;
    const Plan plan = PlanRepeat(ws_, sources, settings);
    const QString count = QStringLiteral("%1 %2").arg(sources.size()).arg(sources.size() == 1 ? "entry" : "entries");
    const QString copies = settings.times == 1 ? QStringLiteral("copy") : QStringLiteral("copies");
    return Add(plan, QStringLiteral("Repeating ") + count,
               QStringLiteral("Added %1 %2 of %3").arg(settings.times).arg(copies, count));
}

bool MainCommands::MapAllShapes(const std::vector<QRect>& shapes, const QString& base, int join, Numbers numbers)
{
    if (ws_.texture != Texture::Ready)
        return false;
    const Plan plan = PlanShapes(ws_, shapes, base, join, numbers);
    const QString count =
        QStringLiteral("%1 %2").arg(plan.entries.size()).arg(plan.entries.size() == 1 ? "shape" : "shapes");
    return Add(plan, QStringLiteral("Mapping ") + count, QStringLiteral("Mapped ") + count);
}

bool MainCommands::SliceRectangle(const SliceSettings& settings, const targa::ShapeTexels* texels)
{
    if (ws_.texture != Texture::Ready || ws_.picking.step != Step::Naming)
        return false;
    const Plan plan = PlanSlice(ws_, ws_.picking.Box(), settings, texels);
    if (plan.refusal.isEmpty() && !plan.entries.empty())
        ws_.picking.step = Step::FirstCorner;
    const QString base = EntryName(settings.base);
    return Add(plan, QStringLiteral("Slicing ") + base,
               QStringLiteral("Sliced %1 into %2 entries").arg(base).arg(plan.entries.size()));
}

} // namespace ravelock
