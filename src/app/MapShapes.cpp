// ravelock shapes: a map of every shape of a texture.
#include "app/BatchSupport.h"

#include "workspace/ManyEntries.h"
#include "workspace/MapDocument.h"

#include <QTextStream>

namespace ravelock::batch {

int MapShapes(const QStringList& args, QTextStream& out)
{
    const QString name = QStringLiteral("--name"), joinOption = QStringLiteral("--join"), to = QStringLiteral("-o");
    const Arguments arguments = Parse(args, 1, {}, {name, joinOption, to});
    const QString base = arguments.Value(name), output = arguments.Value(to);
    if (base.isEmpty() || base != base.simplified() || base.contains(QLatin1Char(' ')))
        throw Refused{QString(), QStringLiteral("--name must be one word")};
    bool number = true;
    const int join = arguments.Has(joinOption) ? arguments.options[joinOption].toInt(&number) : 0;
    if (!number || join < 0 || join > 16)
        throw Refused{QString(), QStringLiteral("--join must be a whole number from 0 to 16")};
    const std::unique_ptr<Texture> texture = LoadTexture(arguments.files[0]);
    const targa::Shapes shapes = targa::FindShapes(texture->Texels());
    if (!shapes.complete)
        throw Refused{texture->path, QStringLiteral("it holds more runs of texels than the shape search follows")};
    std::vector<QRect> found;
    for (const targa::ShapeBox& box : shapes.boxes)
        found.push_back(QRect(QPoint(box.left, box.top), QPoint(box.right, box.bottom)));
    // Named as Map All Shapes names them; numbered with as many digits as the count has.
    Workspace picture;
    picture.imageWidth = texture->width;
    picture.imageHeight = texture->height;
    const Plan plan = PlanShapes(picture, found, base, join, Numbers::Padded);
    if (!plan.refusal.isEmpty())
        throw Refused{texture->path, plan.refusal};
    WriteMap(texture->Header(), plan.entries, output);
    out << QStringLiteral("wrote %1 entries to %2").arg(plan.entries.size()).arg(output) << '\n';
    return 0;
}

} // namespace ravelock::batch
