#pragma once

#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"
#include "support/TgaBuilder.h"
#include "windows/DrawingArea.h"
#include "windows/FrmDelete.h"
#include "windows/FrmMain.h"
#include "windows/FrmReadme.h"

#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

namespace testing_support {

// A real main window, shown offscreen, with scripted dialogs.
struct WindowHarness {
    ScriptedDialogs dialogs;
    ravelock::FrmMain window{&dialogs};
    QTemporaryDir dir;
    bool exposed = false;

    WindowHarness()
    {
        window.show();
        exposed = QTest::qWaitForWindowExposed(&window);
    }

    QString WriteFile(const QString& name, const std::vector<std::uint8_t>& bytes)
    {
        const QString path = dir.filePath(name);
        WriteAll(path, QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())));
        return path;
    }

    void Trigger(ravelock::MenuItem item) { window.Action(item)->trigger(); }

    void Open(const QString& path)
    {
        dialogs.openAnswers.push_back(path);
        Trigger(ravelock::MenuItem::mnuFileOpen);
    }

    // Sent directly: QTest would move a click at (0, 0) to the widget's centre.
    void Click(int x, int y, Qt::MouseButton button = Qt::LeftButton)
    {
        const QPointF at(x, y);
        QMouseEvent press(QEvent::MouseButtonPress, at, window.Drawing()->mapToGlobal(at), button, button,
                          Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, at, window.Drawing()->mapToGlobal(at), button, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(window.Drawing(), &press);
        QApplication::sendEvent(window.Drawing(), &release);
    }

    QString Field(ravelock::PanelControl control) const
    {
        return static_cast<QLineEdit*>(window.Control(control))->text();
    }

    ravelock::Workspace& State() { return window.Commands().State(); }
};

// A 24-bit uncompressed texture whose pixel (x, y), top row first, has
// red x mod 256, green y mod 256 and blue 7.
inline std::vector<std::uint8_t> GradientTexture(int width, int height)
{
    TgaBuilder file;
    file.width = static_cast<std::uint16_t>(width);
    file.height = static_cast<std::uint16_t>(height);
    file.data.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
    for (int row = height - 1; row >= 0; --row)
        for (int x = 0; x < width; ++x) {
            file.data.push_back(7);
            file.data.push_back(static_cast<std::uint8_t>(row & 255));
            file.data.push_back(static_cast<std::uint8_t>(x & 255));
        }
    return file.Bytes();
}

} // namespace testing_support
