#pragma once

#include "targa/SurfacePainter.h"
#include "targa/LoadTarga.h"
#include "windows/FrmMain.h"
#include "windows/StatusLine.h"
#include "workspace/Dialogs.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPointer>

#include <algorithm>
#include <climits>

namespace ravelock {

// Painting into the window's surface. A progress refresh shows the rows
// painted since the one before, at most sixty times a second (the rest wait
// for the next refresh or for Flush), and the yield that follows lets the
// event loop run, unless the program is ending.
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
    void PaintRun(int x, int y, int count, targa::Colour colour) override
    {
        Note(y);
        SurfacePainter::PaintRun(x, y, count, colour);
    }
    void PaintPixels(int x, int y, const targa::Colour* colours, int count) override
    {
        Note(y);
        SurfacePainter::PaintPixels(x, y, colours, count);
    }
    void BlendPixels(int x, int y, const targa::Colour* colours, const std::uint8_t* alphas, int count) override
    {
        Note(y);
        SurfacePainter::BlendPixels(x, y, colours, alphas, count);
    }
    void BlendRun(int x, int y, int count, targa::Colour colour, int alpha) override
    {
        Note(y);
        SurfacePainter::BlendRun(x, y, count, colour, alpha);
    }
    void Refresh() override
    {
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
        if (!Alive())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        return Alive();
    }
    bool Painted() const { return rowsDone_ > 0; }

private:
    bool Alive() const { return window_ && !commands_.Ending(); }
    void Note(int y)
    {
        first_ = std::min(first_, y);
        last_ = std::max(last_, y);
        if (y != lastRow_)
            ++rowsDone_;
        lastRow_ = y;
    }

    QPointer<FrmMain> window_;
    const MainCommands& commands_;
    QElapsedTimer frameClock_;
    int first_ = INT_MAX;
    int last_ = -1;
    int lastRow_ = -1;
    int rowsDone_ = 0;
};

// The decoder's messages, shown once the progress is gone.
class WindowReporter final : public targa::ErrorReporter {
public:
    WindowReporter(Dialogs& dialogs, StatusLine& status) : dialogs_(dialogs), status_(status) {}
    void ShowError(const std::string& title, const std::string& text) override
    {
        status_.StopReading();
        dialogs_.Message(QString::fromStdString(text), QString::fromStdString(title), MessageIcon::Critical,
                         MessageButtons::Ok);
    }

private:
    Dialogs& dialogs_;
    StatusLine& status_;
};

} // namespace ravelock
