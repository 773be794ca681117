#pragma once

#include "workspace/Entry.h"
#include "workspace/EntryHistory.h"

#include <QPoint>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

namespace ravelock {

enum class Texture { None, Painting, Ready };

// What the next taken click does: set the first corner, set the second, or
// nothing until the region is named.
enum class Step { FirstCorner, SecondCorner, Naming };

// The rectangle being picked. Undo keeps the corners' values; the step says
// which of them are current.
struct Picking {
    Step step = Step::FirstCorner;
    QPoint first;  // left, top
    QPoint second; // right, bottom

    std::optional<QPoint> First() const { return step == Step::FirstCorner ? std::nullopt : std::optional(first); }
    std::optional<QPoint> Second() const { return step == Step::Naming ? std::optional(second) : std::nullopt; }
    // The texels from the first corner to the second, both included, whichever was clicked first.
    QRect Box() const { return Entry{QString(), first.x(), first.y(), second.x(), second.y()}.Box(); }
};

// What a map's every block names beside its entry: the texture's file name and size.
struct MapHeader {
    QString texture;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// A corner taken back by Undo, and the step that Redo sets it again at.
struct UndoneCorner {
    Step step;
    QPoint texel;
};

// Everything the main window knows, alive exactly as long as the window.
// Sizes and corners are in texels.
struct Workspace {
    std::vector<Entry> entries; // the document, in entry order
    std::int32_t imageHeight = 0;
    std::int32_t imageWidth = 0;
    QString texturePath;
    QString textureName;
    Texture texture = Texture::None;
    Picking picking;
    QString mapPath; // where the document was written last; empty until then
    // Once an entry was added, Delete Entry stays offered, even with none left.
    bool deleteOffered = false;
    std::vector<UndoneCorner> redoCorners; // back() is the top
    EntryHistory history;                  // of the entries, apart from the corners' undo

    // The place of the entry named `name`, if there is one.
    std::optional<std::size_t> Find(const QString& name) const;
    // Whether `texel` lies on the texture or in the column and row just past it.
    bool Holds(QPoint texel) const;
    // Marks the document as written to `path`, as its entries now are.
    void SavedAs(const QString& path);
    // Whether the entries are as the document's file holds them, or as they were at the start.
    bool Saved() const { return history.AtSaved(); }

    MapHeader Header() const { return {textureName, imageWidth, imageHeight}; }
    // "MappedImage <name>", one per entry, in entry order.
    QStringList Headings() const;
    // Every line of the document, without terminators: the header, then each entry's block.
    QStringList Lines() const;
};

} // namespace ravelock
