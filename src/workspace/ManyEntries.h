#pragma once

#include "targa/Shapes.h"
#include "workspace/Workspace.h"

#include <QMargins>
#include <QRect>
#include <QSize>
#include <QString>

#include <vector>

namespace ravelock {

// A name is one word: the first of what was typed.
QString EntryName(const QString& answer);
QString DuplicateName(const QString& name);

// How the numbers in names are written: "Icon7", or with as many digits as the largest needs, "Icon07".
enum class Numbers { Plain, Padded };

// `base` with `word` where it holds a `*`, or at its end.
QString PieceName(const QString& base, const QString& word);

// Entries to add at the end of the document, or why they may not be.
struct Plan {
    std::vector<Entry> entries;
    QString refusal; // empty where they may be added
    QString title;   // of the message that says the refusal
};

struct RepeatSettings {
    QPoint offset;
    QString replace; // in every name; where empty, `with` is added at the end of the names
    QString with;    // one word, or one for each copy
    int times = 1;
};

// Copy k (from 1) of `sources` is moved k times the offset, the copies one after the other.
Plan PlanRepeat(const Workspace& ws, const std::vector<Entry>& sources, const RepeatSettings& settings);

// An entry for every shape that no entry covers, after joining those closer than `join` texels,
// in reading order, named `base` and a number.
Plan PlanShapes(const Workspace& ws, const std::vector<QRect>& shapes, const QString& base, int join,
                Numbers numbers = Numbers::Plain);

struct SliceSettings {
    enum class Kind { NinePieces, Grid };
    QString base;
    Kind kind = Kind::NinePieces;
    QMargins borders; // nine pieces: the left and right columns', the top and bottom rows' widths
    // Grid: the cells by their count, or by their size where `bySize`.
    bool bySize = false;
    QSize count{1, 1};
    QSize size{1, 1};
    QSize spacing; // between the pieces or cells
    bool skipEmpty = false;
    bool trim = false;
    // Nine pieces: a word for each of the nine, or for each piece the borders leave.
    QString names = QString::fromLatin1(kNinePieces);
    Numbers numbers = Numbers::Plain; // of the cells
    static constexpr const char* kNinePieces = "TopLeft Top TopRight Left Middle Right BottomLeft Bottom BottomRight";
};

// The pieces of `rect` (both corners included); `texels` says which texels are of shapes, for
// skipping and trimming cells.
Plan PlanSlice(const Workspace& ws, const QRect& rect, const SliceSettings& settings, const targa::ShapeTexels* texels);

} // namespace ravelock
