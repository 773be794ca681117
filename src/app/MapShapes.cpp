// ravelock shapes: a map of every shape of a texture.
#include "app/BatchSupport.h"

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
    const std::vector<targa::ShapeBox> boxes = targa::JoinShapes(shapes.boxes, join);
    Workspace document = texture->Document();
    for (std::size_t i = 0; i < boxes.size(); ++i)
        document.entries.push_back(
            {NumberedName(base, i + 1, boxes.size()), boxes[i].left, boxes[i].top, boxes[i].right, boxes[i].bottom});
    WriteMap(document, output);
    out << QStringLiteral("wrote %1 entries to %2").arg(boxes.size()).arg(output) << '\n';
    return 0;
}

} // namespace ravelock::batch
