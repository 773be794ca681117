#include "support/WindowHarness.h"
#include "windows/picture/Magnifier.h"
#include "windows/picture/RegionOverlay.h"

#include <QFontMetrics>
#include <QImage>
#include <QRegularExpression>
#include <QScrollArea>

#include <gtest/gtest.h>

#include <functional>

using namespace ravelock;
using testing_support::WindowHarness;

namespace {

QColor Shown(const QImage& grab, int x, int y)
{
    const qreal scale = grab.devicePixelRatio();
    return grab.pixelColor(int((x + 0.5) * scale), int((y + 0.5) * scale));
}

bool OnEdge(const QRect& r, QPoint t)
{
    return r.contains(t) && (t.x() == r.left() || t.x() == r.right() || t.y() == r.top() || t.y() == r.bottom());
}

} // namespace

// Every device pixel that shows an edge texel takes its dash's colour, and no other changes, at whole and
// fractional scales; the keys' ring lies in the device pixels just around its texel.
TEST(RegionOverlay, OutlinesCoverTheirTexels)
{
    using Expected = std::function<QRgb(QPoint texel, QPoint device)>; // 0: left as it was
    const QRect entry(QPoint(2, 3), QPoint(9, 7)), edge(-1, -1, 5, 4), shape(5, 10, 3, 4);
    const QRect pending(QPoint(14, 2), QPoint(14, 9));
    const QPoint corner(20, 10);
    const QRgb dark = 0xFF000000, light = 0xFFFFFFFF, yellow = 0xFFFFD000, blue = 0xFF00C8FF;
    const auto dash = [=](QPoint t, QRgb on) { return ((t.x() + t.y()) >> 2) & 1 ? on : dark; };
    const auto dot = [=](int i, QRgb on) { return i & 1 ? on : dark; };
    for (qreal scale : {1.0, 1.25, 1.5, 2.0}) {
        const TexelGrid grid{QPointF(3.5 * scale, 1.5 * scale), scale};
        const QRect ring(QPoint(grid.FirstDeviceX(20) - 1, grid.FirstDeviceY(10) - 1),
                         QPoint(grid.FirstDeviceX(21), grid.FirstDeviceY(11)));
        const std::pair<RegionScene, Expected> scenes[] = {
            {{.entries = {{entry, "A"}}}, [&](QPoint t, QPoint) { return OnEdge(entry, t) ? dash(t, light) : 0; }},
            {{.entries = {{edge, "E"}}}, [&](QPoint t, QPoint) { return OnEdge(edge, t) ? dash(t, light) : 0; }},
            {{.pending = pending}, [&](QPoint t, QPoint) { return pending.contains(t) ? dash(t, yellow) : 0; }},
            {{.shapes = {shape}},
             [&](QPoint t, QPoint) { return OnEdge(shape.adjusted(-1, -1, 1, 1), t) ? dot(t.x() + t.y(), blue) : 0; }},
            {{.firstCorner = corner},
             [&](QPoint t, QPoint) -> QRgb {
                 const QPoint d = t - corner;
                 const int arm = std::abs(d.x()) + std::abs(d.y());
                 return d.isNull() ? yellow : (d.x() == 0 || d.y() == 0) && arm >= 2 && arm <= 4 ? dot(arm, yellow) : 0;
             }},
            {{.keyboard = corner},
             [&](QPoint, QPoint d) {
                 const bool across = d.y() == ring.top() || d.y() == ring.bottom();
                 return OnEdge(ring, d) ? dot(across ? d.x() : d.y(), yellow) : 0;
             }},
        };
        for (const auto& [scene, expected] : scenes) {
            QImage image(int(30 * scale), int(20 * scale), QImage::Format_RGB32);
            image.fill(Qt::darkCyan);
            PaintOutlines(image, QPoint(2, 1), grid, scene);
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) {
                    const QRgb shown = image.pixel(x, y) == QColor(Qt::darkCyan).rgb() ? 0 : image.pixel(x, y);
                    ASSERT_EQ(shown, expected({grid.TexelX(x + 2), grid.TexelY(y + 1)}, {x + 2, y + 1}))
                        << "scale " << scale << ", device pixel " << x << "," << y;
                }
        }
    }
}

TEST(ViewAids, ShowRegionsFollowsEveryChange)
{
    WindowHarness h;
    h.OpenGradient(80, 60);
    const QImage plain = h.Drawing()->grab().toImage();
    h.AddEntry({5, 25}, {30, 40}, "A");
    h.AddEntry({70, 55}, {50, 30}, "B");
    h.Click(75, 5);
    EXPECT_EQ(h.Drawing()->grab().toImage(), plain) << "off at start";
    h.Trigger("mnuViewRegions");
    const auto outlined = [&](int x, int y) {
        return Shown(h.Drawing()->grab().toImage(), x, y) != Shown(plain, x, y);
    };
    // A's bottom edge and inside, B's left edge (clicked inverted) and inside, the pending corner.
    const auto looks = [&] {
        return std::vector{outlined(12, 40), outlined(12, 32), outlined(50, 45), outlined(60, 45), outlined(75, 5)};
    };
    EXPECT_EQ(looks(), (std::vector{true, false, true, false, true}));
    // A's name above its corner, also when a repaint covers only the label's top row.
    const QPoint label(6, 25 - QFontMetrics(h.Drawing()->font()).height() - 1);
    EXPECT_NE(h.ShownAt(label.x(), label.y()), Shown(plain, label.x(), label.y()));
    EXPECT_NE(h.ShownAt(5, label.y() + 2), Shown(plain, 5, label.y() + 2)) << "only its first column";
    h.window.Run([](MainCommands& commands) { commands.RemoveEntry(0); });
    h.Trigger("mnuEditUndo");
    EXPECT_EQ(looks(), (std::vector{false, false, true, false, false}));
    h.Trigger("mnuEditRedo");
    EXPECT_EQ(looks(), (std::vector{false, false, true, false, true}));
    h.AddEntry({52, 31}, {60, 40}, "D"); // its name would cover B's
    h.Hover(75, 5);
    const QImage bNamed = h.Drawing()->grab().toImage();
    h.Hover(55, 35);
    EXPECT_NE(h.Drawing()->grab().toImage(), bNamed) << "the name of the entry pointed at shows";
    NameLabels labels;
    QFont small, big;
    small.setPixelSize(8);
    big.setPixelSize(16);
    const int smallHeight = labels.For("D", small, 1).height();
    EXPECT_LT(smallHeight, labels.For("D", big, 1).height()) << "drawn again in a new font";
    EXPECT_EQ(labels.For("D", big, 2).devicePixelRatio(), 2) << "and at a new scale";
    h.Trigger("mnuViewRegions");
    EXPECT_EQ(h.Drawing()->grab().toImage(), plain) << "off again: the texture as painted";
}

TEST(ViewAids, MagnifierEnlargesAroundThePointer)
{
    WindowHarness h;
    h.OpenGradient(80, 60);
    const int width = h.window.width();
    h.Trigger("mnuViewMagnifier");
    auto* magnifier = h.Find("magnifier");
    EXPECT_TRUE(magnifier->isVisible() && h.Find("clientArea")->rect().contains(magnifier->geometry()));
    h.Hover(3, 20);
    h.Click(3, 20); // the centre is the texel a click takes
    const QStringList taken = h.Corners().split(QRegularExpression("[, ]"));
    const QPoint centre(taken[0].toInt(), taken[1].toInt());
    const QImage shown = magnifier->grab().toImage();
    const int cell = int(std::lround(8 * shown.devicePixelRatio()));
    for (int row = 0; row < 15; ++row)
        for (int column = 0; column < 15; ++column) {
            const QPoint texel = centre + QPoint(column - 7, row - 7);
            const QColor expected =
                texel.x() < 0 ? magnifier->palette().window().color() : QColor(texel.x(), texel.y(), 7);
            ASSERT_EQ(shown.pixelColor(column * cell + cell / 2, row * cell + cell / 2), expected)
                << column << "," << row;
        }
    for (QPoint line : {QPoint(cell, cell / 2), QPoint(15 * cell, 15 * cell)})
        EXPECT_EQ(shown.pixelColor(line), QColor(128, 128, 128)) << "the grid at " << line.x() << "," << line.y();
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(h.Drawing(), &leave);
    const QColor middle = magnifier->grab().toImage().pixelColor(7 * cell + cell / 2, 7 * cell + cell / 2);
    EXPECT_EQ(middle, QColor(centre.x(), centre.y(), 7)) << "the pending corner";
    h.Trigger("mnuViewMagnifier");
    EXPECT_FALSE(magnifier->isVisible());
    // A compositor may answer with the wider size once more before it takes the narrower one.
    EXPECT_TRUE(QTest::qWaitFor([&] { return h.window.width() == width; }, 2000)) << h.window.width() << " " << width;
}

// Each arrow, Shift with it, Space, Return and Enter, from the texel clicked last; the column past the texture.
TEST(ViewAids, KeysTakeCornersAsClicks)
{
    WindowHarness h;
    h.OpenGradient(3000, 2000);
    h.Keys({Qt::Key_Space});
    EXPECT_EQ(h.Corners(), ", ,") << "no texel to press before the pointer or a click was on the picture";
    h.Click(10, 10);
    h.Keys({Qt::Key_Right, Qt::Key_Right, Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Space});
    h.Complete("A");
    h.Keys({Qt::SHIFT | Qt::Key_Right, Qt::SHIFT | Qt::Key_Down, Qt::Key_Left, Qt::Key_Up, Qt::Key_Return});
    h.Keys({Qt::SHIFT | Qt::Key_Left, Qt::Key_Enter});
    EXPECT_EQ(h.Corners() + " " + h.Text("statusPointer"), "21,22 11,22 x 11  y 22");
    h.Complete("B");
    const QByteArray saved = h.SaveAs("ui.ini");
    EXPECT_TRUE(saved.contains("Left:10 Top:10 Right:12 Bottom:13") &&
                saved.contains("Left:21 Top:22 Right:11 Bottom:22"));
    for (int step = 0; step < 500; ++step)
        QTest::keyClick(h.Drawing(), step < 200 ? Qt::Key_Down : Qt::Key_Right, Qt::ShiftModifier);
    h.Keys({Qt::Key_Space});
    EXPECT_EQ(h.Corners(), "3000,2000 ,") << "the column and row just past the texture, as a click";
    const QWidget* viewport = h.Find<QScrollArea>("pictureFrame")->viewport();
    EXPECT_TRUE(viewport->rect().contains(h.Drawing()->mapTo(viewport, QPoint(3000, 2000))));
}

// Shift+click and Shift+Space take a shape, Ctrl+Shift+click grows to one; alpha 0 on a checkerboard.
TEST(ViewAids, ShapesAreTakenWholeAndTheRestCounted)
{
    WindowHarness h;
    h.Open(h.WriteFile("shapes.tga", testing_support::RowsTexture({".##.....", ".#+.....", "....###.", "........"})));
    const QColor background = h.ShownAt(7, 3), opaque = h.ShownAt(1, 1);
    h.Trigger("mnuViewTransparency");
    EXPECT_EQ(h.ShownAt(7, 3), QColor(0xCC, 0xCC, 0xCC));
    EXPECT_EQ(h.ShownAt(1, 1), opaque) << "only alpha 0";
    h.Trigger("mnuViewTransparency");
    EXPECT_EQ(h.ShownAt(7, 3), background);

    h.Trigger("mnuViewMagnifier");
    h.Hover(2, 1);
    EXPECT_TRUE(h.Find<Magnifier>("magnifier")->Readout().endsWith("alpha 01"));
    h.Click(2, 1, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(h.Find("statusHint")->toolTip(), "Shape 2 x 2 at 1, 0: type its name (or Ctrl+E)");
    h.Complete("A");
    h.Trigger("mnuViewRegions");
    // Counted once the search beside the window has ended.
    EXPECT_TRUE(QTest::qWaitFor([&h] { return h.Text("statusShapes") == "1 shape not yet mapped"; }, 3000));
    h.Keys({Qt::Key_Right, Qt::Key_Right, Qt::Key_Right, Qt::Key_Down, Qt::SHIFT | Qt::Key_Space});
    EXPECT_EQ(h.Corners(), "4,2 6,2");
    h.Click(2, 1, Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(h.Corners(), "1,0 6,2");
    h.Complete("B");
    EXPECT_EQ(h.Text("statusShapes"), "0 shapes not yet mapped");
}
