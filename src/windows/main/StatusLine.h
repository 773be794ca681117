#pragma once

#include <QElapsedTimer>
#include <QPoint>
#include <QRect>
#include <QString>

#include <optional>

class QLabel;
class QProgressBar;
class QStatusBar;

namespace ravelock {

class ElidedLabel;

// The main window's status line: what to do next (shortened to fit, the
// whole text in its tooltip; a new hint ends the message before it), what has just happened, the texel under the
// pointer, and the progress of a texture being read.
class StatusLine final {
public:
    explicit StatusLine(QStatusBar& bar);

    void ShowHint(const QString& text);
    void ShowMessage(const QString& text);
    // A box's corners and size, as it is being adjusted.
    void ShowBox(const QRect& box);
    // How many shapes no entry covers, "+" where the search stopped early; nothing hides the count.
    void ShowShapesLeft(std::optional<int> count, bool complete);
    // Nothing when the pointer is off the picture.
    void ShowPointer(std::optional<QPoint> texel);
    // Screen pixels a texel, shown while not 1.
    void ShowZoom(int zoom);

    void PrepareReading(const QString& fileName);
    void StartReading(int rows);
    // Drawn at once on every change, so it changes at most ten times a second.
    void ReadingProgress(int rowsDone);
    void StopReading();

private:
    QStatusBar& bar_;
    ElidedLabel* hint_;
    QLabel* reading_;
    QProgressBar* progress_;
    QLabel* pointer_;
    QLabel* shapes_;
    QLabel* zoom_;
    QElapsedTimer progressClock_;
};

} // namespace ravelock
