#include "support/Desktop.h"
#include "support/WindowHarness.h"
#include "windows/picture/DrawingArea.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTreeWidget>
#include <QWheelEvent>

#include <gtest/gtest.h>

using namespace ravelock;
using testing_support::Desktop;
using testing_support::WindowHarness;

namespace {

int Zoom(WindowHarness& h) { return h.Find<DrawingArea>("drawingArea")->Zoom(); }

void ZoomTo(WindowHarness& h, int zoom)
{
    h.Trigger("mnuViewActualSize");
    while (Zoom(h) < zoom)
        h.Trigger("mnuViewZoomIn");
}

} // namespace

// Every device pixel drawn for a texel, at every zoom, takes that texel: the gradient's colour names it.
TEST(Picture, ZoomedEveryDevicePixelTakesTheTexelItShows)
{
    WindowHarness h;
    h.OpenGradient(40, 30);
    ZoomTo(h, 8);
    h.Find<QScrollArea>("pictureFrame")->ensureVisible(0, 0);
    EXPECT_NE(h.ShownAt(8, 12), QColor(1, 1, 7)) << "texel (1, 1)'s first column is a line of the texel grid";
    h.Trigger("mnuViewTexelGrid"); // its lines would change the colours
    auto* area = h.Find<DrawingArea>("drawingArea");
    const qreal scale = area->devicePixelRatioF();
    for (int zoom : {1, 3, 8, 32}) {
        ZoomTo(h, zoom);
        h.Find<QScrollArea>("pictureFrame")->ensureVisible(0, 0);
        const QPointF origin = area->mapTo(&h.window, QPointF(0, 0));
        const QRectF seen = QRectF(area->visibleRegion().boundingRect() & QRect(0, 0, 3 * zoom, 3 * zoom));
        const QImage shown = h.window.grab().toImage();
        for (int y = int(std::ceil(origin.y() * scale)); y < (origin.y() + seen.bottom()) * scale; ++y)
            for (int x = int(std::ceil(origin.x() * scale)); x < (origin.x() + seen.right()) * scale; ++x) {
                const QPoint texel = DrawingArea::TexelAt(QPointF(x + 0.5, y + 0.5) / scale, origin, scale, zoom);
                const QColor c = shown.pixelColor(x, y);
                ASSERT_EQ(QPoint(c.red(), c.green()), texel) << zoom << " at device " << x << "," << y;
            }
    }
    ZoomTo(h, 8);
    h.Find<QScrollArea>("pictureFrame")->ensureVisible(0, 0);
    const QPointF at = area->mapTo(&h.window, QPointF(7.6, 7.6)), origin = area->mapTo(&h.window, QPointF(0, 0));
    const QPoint texel = DrawingArea::TexelAt(at, origin, scale, 8);
    ASSERT_NE(texel, DrawingArea::TexelAt(at.toPoint(), origin, scale, 8)) << "the window's position, not rounded";
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent click(type, at, h.window.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, {});
        QApplication::sendEvent(h.window.windowHandle(), &click);
    }
    EXPECT_EQ(h.Corners(), QString("%1,%2 ,").arg(texel.x()).arg(texel.y()));
}

TEST(Picture, CtrlWheelKeepsTheTexelUnderThePointerAndActualSizeTheStart)
{
    WindowHarness h;
    h.OpenGradient(300, 200);
    auto* frame = h.Find<QScrollArea>("pictureFrame");
    const QImage start = frame->grab().toImage();
    const QSize size = h.window.size();
    const QPointF at(37.5, 21.5);
    const auto texel = [&] {
        return (QPointF(frame->horizontalScrollBar()->value(), frame->verticalScrollBar()->value()) + at) / Zoom(h);
    };
    for (int step = 0; step < 4; ++step) {
        const QPointF before = texel();
        QWheelEvent wheel(at, frame->viewport()->mapToGlobal(at), {}, {0, 40}, {}, Qt::ControlModifier,
                          Qt::NoScrollPhase, false); // a touchpad's thirds of a step
        for (int third = 0; third < 3; ++third)
            QApplication::sendEvent(frame->viewport(), &wheel);
        const QPointF after = texel();
        EXPECT_EQ(after.toPoint(), before.toPoint()) << Zoom(h);
    }
    EXPECT_EQ(Zoom(h), 6);
    EXPECT_EQ(h.Text("statusZoom"), "Zoom 600%");
    h.Trigger("mnuViewActualSize");
    EXPECT_FALSE(h.Enabled("mnuViewZoomOut")) << "at its last step";
    EXPECT_EQ(h.window.size(), size);
    EXPECT_EQ(frame->grab().toImage(), start);
    h.Trigger("mnuViewZoomIn");
    h.window.resize(size + QSize(40, 30));
    h.Trigger("mnuViewActualSize");
    EXPECT_EQ(h.window.size(), size) << "the window of the start, also when the user sized it zoomed";
}

// With real input at zoom 8: clicks on the centre and the edges of a texel's square, then a handle dragged.
TEST(Picture, RealPointerAtZoomTakesTexelsAndDragsAHandle)
{
    if (!Desktop::RealKeys())
        GTEST_SKIP() << "real input on X (runs under Xvfb)";
    WindowHarness h;
    h.OpenGradient(200, 150);
    h.AddEntry({1, 1}, {4, 4}, "Box");
    const Entry added = h.State().entries.back();
    ZoomTo(h, 8);
    h.Find<QScrollArea>("pictureFrame")->ensureVisible(0, 0);
    Desktop desktop(h.window);
    desktop.Settle();
    const qreal scale = h.window.devicePixelRatioF(), side = 8 * scale;
    const QPointF origin = desktop.DeviceOrigin(*h.Drawing());
    // The device pixels whose centres lie in texel (2, 3)'s square: its first, middle and last across and down.
    const auto pixel = [&](qreal from, int texel, qreal part) {
        const int first = int(std::ceil(from + texel * side - 0.5));
        const int last = int(std::ceil(from + (texel + 1) * side - 0.5)) - 1;
        return first + int(part * (last - first));
    };
    for (const QPointF& in : {QPointF(0.5, 0.5), QPointF(0, 0.5), QPointF(1, 1), QPointF(0.5, 0)}) {
        desktop.Click({pixel(origin.x(), 2, in.x()), pixel(origin.y(), 3, in.y())});
        EXPECT_TRUE(QTest::qWaitFor([&h] { return h.Corners() == "2,3 ,"; }, 3000))
            << in.x() << "," << in.y() << " " << h.Corners().toStdString();
        h.Trigger("mnuEditUndo");
    }
    h.Trigger("mnuViewEntries");
    auto* list = h.Find<QTreeWidget>("lstEntries");
    list->setCurrentItem(list->topLevelItem(0));
    QTest::keyClick(list, Qt::Key_Return);
    auto* left = h.Find<QSpinBox>("spnLeft");
    const QPoint handle = desktop.Texel(*h.Drawing(), {added.left - 0.5, 2}, 8);
    Desktop::X({"mousemove", QString::number(handle.x()), QString::number(handle.y()), "mousedown", "1", "mousemove",
                QString::number(handle.x() + int(side)), QString::number(handle.y()), "mouseup", "1"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return left->value() == added.left + 1; }, 3000)) << left->value();
    QTest::keyClick(left, Qt::Key_Escape);
    EXPECT_EQ(h.State().entries.back(), added) << "Cancel puts it back";
}

TEST(Picture, HandlesMoveTheirEdgesWithinThePicture)
{
    const QRect box(QPoint(2, 2), QPoint(5, 4)), bounds(0, 0, 10, 8);
    const std::tuple<QPointF, int, QPoint, QRect> cases[] = {
        {{16.5, 16}, kLeft | kTop, {1, 1}, QRect(QPoint(3, 3), QPoint(5, 4))},
        {{48, 28}, kRight, {9, 0}, QRect(QPoint(2, 2), QPoint(9, 4))},
        {{32, 40}, kBottom, {0, -5}, QRect(QPoint(2, 2), QPoint(5, 2))},
        {{30, 28}, kMove, {-4, 9}, QRect(QPoint(0, 5), QPoint(3, 7))},
        {{70, 28}, 0, {}, box},
    };
    for (const auto& [point, handle, by, moved] : cases) {
        EXPECT_EQ(HandleAt(box, point, 8), handle) << point.x() << "," << point.y();
        EXPECT_EQ(Dragged(box, handle, by, bounds), moved) << handle;
    }
    EXPECT_EQ(HandleAt(QRect(2, 2, 1, 1), {3.5, 2.5}, 1), kRight) << "the nearest edge of an entry of one texel";
}
