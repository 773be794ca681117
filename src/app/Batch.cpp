#include "app/Batch.h"

#include "app/BatchSupport.h"
#include "targa/LoadTarga.h"
#include "targa/SurfacePainter.h"
#include "workspace/MapDocument.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonObject>
#include <QTextStream>

namespace ravelock::batch {

bool IsCommand(const QString& word)
{
    return word == QLatin1String("check") || word == QLatin1String("remap") || word == QLatin1String("shapes");
}

QString Usage()
{
    return QStringLiteral("  ravelock check TEXTURE.tga MAP.ini [--json]\n"
                          "  ravelock remap OLD.tga MAP.ini NEW.tga -o NEW.ini [--partial] [--json]\n"
                          "  ravelock shapes TEXTURE.tga --name BASE [--join N] -o MAP.ini\n");
}

int Run(const QStringList& args, QTextStream& out, QTextStream& err)
{
    try {
        const QString command = args.value(0);
        const QStringList rest = args.mid(1);
        if (rest.contains(QLatin1String("--help")) || rest.contains(QLatin1String("-h"))) {
            out << "usage:\n" << Usage();
            return 0;
        }
        if (command == QLatin1String("check"))
            return Check(rest, out);
        if (command == QLatin1String("remap"))
            return Remap(rest, out);
        return MapShapes(rest, out);
    } catch (const Refused& refused) {
        err << "ravelock: " << (refused.file.isEmpty() ? QString() : refused.file + QStringLiteral(": "))
            << refused.reason << '\n';
        if (refused.file.isEmpty())
            err << "usage:\n" << Usage();
        return 2;
    }
}

QString Arguments::Value(const QString& option) const
{
    if (!options.contains(option))
        throw Refused{QString(), QStringLiteral("%1 is missing").arg(option)};
    return options.value(option);
}

Arguments Parse(const QStringList& args, int count, const QStringList& flags, const QStringList& valued)
{
    Arguments parsed;
    for (qsizetype at = 0; at < args.size(); ++at) {
        const QString& arg = args[at];
        if (valued.contains(arg)) {
            if (++at == args.size())
                throw Refused{QString(), QStringLiteral("%1 needs a value").arg(arg)};
            parsed.options.insert(arg, args[at]);
        } else if (flags.contains(arg)) {
            parsed.options.insert(arg, QString());
        } else if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            throw Refused{QString(), QStringLiteral("unknown option %1").arg(arg)};
        } else {
            parsed.files << arg;
        }
    }
    if (parsed.files.size() != count)
        throw Refused{QString(), QStringLiteral("expected %1 files, got %2").arg(count).arg(parsed.files.size())};
    return parsed;
}

MapHeader Texture::Header() const { return {QFileInfo(path).fileName(), width, height}; }

std::unique_ptr<Texture> LoadTexture(const QString& path)
{
    if (QFileInfo(path).isDir())
        throw Refused{path, QStringLiteral("it is a folder, not a file")};
    auto texture = std::make_unique<Texture>();
    texture->path = path;
    targa::SurfacePainter painter(texture->surface);
    const targa::LoadResult loaded = targa::LoadTarga(TexturePath(path), painter);
    if (loaded.message)
        throw Refused{path, QString::fromStdString(*loaded.message).replace(QLatin1String("\r\n"), QLatin1String(" "))};
    texture->width = loaded.width;
    texture->height = loaded.height;
    texture->alpha = loaded.alpha;
    return texture;
}

void WriteMap(const MapHeader& map, const std::vector<Entry>& entries, const QString& path)
{
    if (const std::optional<QString> failure = WriteMapFile(map, entries, path))
        throw Refused{path, *failure};
}

QJsonObject JsonEntry(const Entry& entry)
{
    return {{QStringLiteral("name"), entry.name},
            {QStringLiteral("left"), entry.left},
            {QStringLiteral("top"), entry.top},
            {QStringLiteral("right"), entry.right},
            {QStringLiteral("bottom"), entry.bottom}};
}

} // namespace ravelock::batch
