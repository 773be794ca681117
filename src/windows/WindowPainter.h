#pragma once

#include "targa/SurfacePainter.h"
#include "targa/LoadTarga.h"
#include "windows/FrmMain.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPointer>

#include <algorithm>
#include <climits>

namespace ravelock {

// Painting into the window's surface. The rows the decoder shows are drawn at
// most sixty times a second (the rest wait for the next refresh or for
// Flush), and the yield that follows lets the event loop run, unless the
// program is ending.
class WindowPainter final : public targa::SurfacePainter {
public:
    WindowPainter(FrmMain& window, targa::PixelSurface& surface)
        : SurfacePainter(surface), window_(&window), commands_(window.Commands())
    {
        frameClock_.start();
    }
    bool PrepareSurface(int width, int height) override
    {
        SurfacePainter::PrepareSurface(width, height);
        if (Alive())
            window_->PictureAnnounced(width, height);
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
            window_->RowsPainted(first_, last_, rowsDone_);
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
    bool Alive() const { return window_ && !commands_.Ending(); }

    QPointer<FrmMain> window_;
    const MainCommands& commands_;
    QElapsedTimer frameClock_;
    int first_ = INT_MAX;
    int last_ = -1;
    int rowsDone_ = 0;
};

} // namespace ravelock
