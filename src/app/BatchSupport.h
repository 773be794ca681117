#pragma once

#include "targa/PixelSurface.h"
#include "targa/Shapes.h"
#include "workspace/Workspace.h"

#include <QJsonObject>
#include <QMap>
#include <QRect>
#include <QString>
#include <QStringList>

#include <memory>

class QTextStream;

namespace ravelock::batch {

// A file that cannot be read or written, or arguments that make no sense:
// one line on standard error, exit status 2.
struct Refused {
    QString file; // empty for the arguments
    QString reason;
};

struct Arguments {
    QStringList files;
    QMap<QString, QString> options; // "-o", "--name", "--join"; flags hold an empty value

    bool Has(const QString& option) const { return options.contains(option); }
    // The value of `option`, refused where it is missing.
    QString Value(const QString& option) const;
};

// The positional files, exactly `count`, and only the options named.
Arguments Parse(const QStringList& args, int count, const QStringList& flags, const QStringList& valued);

// A texture decoded as the window paints it.
struct Texture {
    QString path;
    targa::PixelSurface surface;
    int width = 0;
    int height = 0;
    bool alpha = false;

    targa::ShapeTexels Texels() const { return {surface, alpha}; }
    // What a map of this texture names: its file name and size.
    MapHeader Header() const;
};

// Refused where the file cannot be read whole or is no texture.
std::unique_ptr<Texture> LoadTexture(const QString& path);

// Writes a map as Save does, refused where it cannot be written.
void WriteMap(const MapHeader& map, const std::vector<Entry>& entries, const QString& path);

// The entry's name and corners, as the map holds them.
QJsonObject JsonEntry(const Entry& entry);

int Check(const QStringList& args, QTextStream& out);
int Remap(const QStringList& args, QTextStream& out);
int MapShapes(const QStringList& args, QTextStream& out);

} // namespace ravelock::batch
