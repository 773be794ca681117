#pragma once

#include "targa/LoadTarga.h"
#include "targa/SurfacePainter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPointer>

#include <algorithm>
#include <climits>

namespace ravelock {

// What the painter tells the window while a texture is read.
class PaintProgress {
public:
    // The size read from the header, before any row.
    virtual void PictureAnnounced(int width, int height) = 0;
    // Rows `first` to `last` have changed since the last call; `rowsDone` of them in all so far.
    virtual void RowsPainted(int first, int last, int rowsDone) = 0;
    // True once the program is ending: nothing is painted or shown after that.
    virtual bool Ending() const = 0;

protected:
    ~PaintProgress() = default;
};

// Painting into the window's surface. The rows the decoder shows are drawn at
// most sixty times a second (the rest wait for the next refresh or for
// Flush), and the yield that follows lets the event loop run, unless the
// program is ending.
class WindowPainter final : public targa::SurfacePainter {
public:
    // `window` is the object whose end ends painting too.
    WindowPainter(PaintProgress& progress, QObject& window, targa::PixelSurface& surface)
        : SurfacePainter(surface), progress_(progress), window_(&window)
    {
        frameClock_.start();
    }
    bool PrepareSurface(int width, int height) override
    {
        SurfacePainter::PrepareSurface(width, height);
        if (Alive())
            progress_.PictureAnnounced(width, height);
        return true;
    }
    void Refresh(int firstRow, int lastRow) override
    {
        first_ = std::min(first_, firstRow);
        last_ = std::max(last_, lastRow);
        rowsDone_ += lastRow - firstRow + 1;
        if (frameClock_.hasExpired(16))
            Flush();
    }
    void Flush()
    {
        if (first_ <= last_ && Alive())
            progress_.RowsPainted(first_, last_, rowsDone_);
        first_ = INT_MAX;
        last_ = -1;
        frameClock_.start();
    }
    bool YieldToEvents() override
    {
        if (Alive())
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        return Alive();
    }

private:
    bool Alive() const { return window_ && !progress_.Ending(); }

    PaintProgress& progress_;
    QPointer<QObject> window_;
    QElapsedTimer frameClock_;
    int first_ = INT_MAX;
    int last_ = -1;
    int rowsDone_ = 0;
};

} // namespace ravelock
