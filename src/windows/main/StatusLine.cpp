#include "windows/main/StatusLine.h"

#include <QLabel>
#include <QProgressBar>
#include <QResizeEvent>
#include <QStatusBar>

#include <initializer_list>

namespace ravelock {

// A label that shortens its text with an ellipsis to the width it is given,
// and shows the whole text as its tooltip.
class ElidedLabel final : public QLabel {
public:
    explicit ElidedLabel(QWidget* parent) : QLabel(parent) { setMinimumWidth(1); }
    void SetFullText(const QString& text)
    {
        setToolTip(text);
        setText(fontMetrics().elidedText(text, Qt::ElideRight, width()));
    }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QLabel::resizeEvent(event);
        SetFullText(toolTip());
    }
};

StatusLine::StatusLine(QStatusBar& bar)
    : bar_(bar), hint_(new ElidedLabel(&bar)), reading_(new QLabel(&bar)), progress_(new QProgressBar(&bar)),
      pointer_(new QLabel(&bar)), shapes_(new QLabel(&bar)), zoom_(new QLabel(&bar))
{
    zoom_->setObjectName(QStringLiteral("statusZoom"));
    zoom_->hide();
    shapes_->setObjectName(QStringLiteral("statusShapes"));
    shapes_->hide();
    hint_->setObjectName(QStringLiteral("statusHint"));
    bar.addWidget(hint_, 1); // long hints are shortened, never widen the window
    reading_->setObjectName(QStringLiteral("statusReading"));
    progress_->setObjectName(QStringLiteral("statusProgress"));
    progress_->setMaximumHeight(hint_->sizeHint().height());
    progress_->setMaximumWidth(160);
    pointer_->setObjectName(QStringLiteral("statusPointer"));
    for (QWidget* permanent : std::initializer_list<QWidget*>{shapes_, reading_, progress_, zoom_, pointer_})
        bar.addPermanentWidget(permanent);
    reading_->hide();
    progress_->hide();
}

void StatusLine::ShowHint(const QString& text)
{
    bar_.clearMessage();
    hint_->SetFullText(text);
}

void StatusLine::ShowZoom(int zoom)
{
    zoom_->setVisible(zoom != 1);
    zoom_->setText(QStringLiteral("Zoom %1%").arg(zoom * 100));
}

void StatusLine::ShowShapesLeft(std::optional<int> count, bool complete)
{
    shapes_->setVisible(count.has_value());
    if (count)
        shapes_->setText(QStringLiteral("%1%2 %3 not yet mapped")
                             .arg(*count)
                             .arg(complete ? "" : "+")
                             .arg(*count == 1 && complete ? "shape" : "shapes"));
}

void StatusLine::ShowMessage(const QString& text) { bar_.showMessage(text, 6000); }

void StatusLine::ShowPointer(std::optional<QPoint> texel)
{
    pointer_->setText(texel ? QStringLiteral("x %1  y %2").arg(texel->x()).arg(texel->y()) : QString());
}

void StatusLine::ShowBox(const QRect& box)
{
    ShowMessage(QStringLiteral("%1, %2 to %3, %4 (%5 x %6)")
                    .arg(box.left())
                    .arg(box.top())
                    .arg(box.right())
                    .arg(box.bottom())
                    .arg(box.width())
                    .arg(box.height()));
}

void StatusLine::PrepareReading(const QString& fileName)
{
    reading_->setText(QStringLiteral("Reading %1").arg(fileName));
}

void StatusLine::StartReading(int rows)
{
    progress_->setRange(0, rows);
    progress_->setValue(0);
    progressClock_.start();
    reading_->show();
    progress_->show();
}

void StatusLine::ReadingProgress(int rowsDone)
{
    if (progressClock_.hasExpired(100)) {
        progress_->setValue(rowsDone);
        progressClock_.start();
    }
}

void StatusLine::StopReading()
{
    reading_->hide();
    progress_->hide();
}

} // namespace ravelock
