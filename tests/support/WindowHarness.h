#pragma once

#include "support/Files.h"
#include "support/ScriptedDialogs.h"
#include "support/Tga.h"
#include "windows/main/FrmMain.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSettings>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

namespace testing_support {

// A real main window, shown, with scripted dialogs.
struct WindowHarness {
    ScriptedDialogs dialogs;
    ravelock::FrmMain window{&dialogs};
    QTemporaryDir dir;

    WindowHarness()
    {
        QSettings(QSettings::UserScope, "Ravelock").clear(); // what the dialogs remember, from another test
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        if (QGuiApplication::platformName() == "wayland")
            QTest::qWait(200); // the compositor's scale comes after the first frame
    }
    template <typename T = QWidget> T* Find(const char* name) const
    {
        T* found = window.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QWidget* Drawing() const { return Find("drawingArea"); }
    static QWidgetList TopLevels(const char* name)
    {
        QWidgetList found = QApplication::topLevelWidgets();
        found.removeIf([name](QWidget* w) { return w->objectName() != name; });
        return found;
    }
    QString Field(const char* name) const { return Find<QLineEdit>(name)->text(); }
    // "left,top right,bottom"
    QString Corners() const
    {
        return Field("txtLeft") + "," + Field("txtTop") + " " + Field("txtRight") + "," + Field("txtBottom");
    }
    bool Enabled(const char* action) const { return Find<QAction>(action)->isEnabled(); }
    void Trigger(const char* action) { Find<QAction>(action)->trigger(); }
    QString Message() const { return window.statusBar()->currentMessage(); }
    const ravelock::Workspace& State() { return window.Commands().State(); }
    QString WriteFile(const QString& name, const std::vector<std::uint8_t>& bytes)
    {
        WriteAll(dir.filePath(name), QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
        return dir.filePath(name);
    }
    void Open(const QString& path)
    {
        dialogs.openAnswers.push_back(path);
        Trigger("mnuFileOpen");
    }
    void OpenGradient(int width, int height, const QString& name = "ui.tga");
    // Delivered to the window, as the system does.
    void Hover(int x, int y) { QTest::mouseMove(window.windowHandle(), Drawing()->mapTo(&window, QPoint(x, y))); }
    void Click(int x, int y, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers keys = {})
    {
        QTest::mouseClick(window.windowHandle(), button, keys, Drawing()->mapTo(&window, QPoint(x, y)));
    }
    void Complete(const QString& name)
    {
        dialogs.inputAnswers.push_back(name);
        Trigger("mnuEditComplete");
    }
    void AddEntry(QPoint first, QPoint second, const QString& name)
    {
        Click(first.x(), first.y());
        Click(second.x(), second.y());
        Complete(name);
    }
    QByteArray SaveAs(const QString& name)
    {
        dialogs.saveAnswers.push_back(dir.filePath(name));
        Trigger("mnuFileSaveAs");
        return ReadAll(dir.filePath(name));
    }
    QString Text(const char* label) const { return Find<QLabel>(label)->text(); }
    QColor ShownAt(int x, int y) const { return Drawing()->grab(QRect(x, y, 1, 1)).toImage().pixelColor(0, 0); }
    void AddEntries(const QStringList& names);
    void Keys(std::initializer_list<QKeyCombination> keys)
    {
        for (QKeyCombination key : keys)
            QTest::keyClick(Drawing(), key.key(), key.keyboardModifiers());
    }
};

// A 24-bit texture, top row first, whose pixel (x, y) has red x mod 256, green y mod 256 and blue 7.
inline std::vector<std::uint8_t> GradientTexture(int width, int height)
{
    std::vector<std::uint8_t> bytes = Tga{.width = width, .height = height, .descriptor = 0x20}.Bytes();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            bytes.insert(bytes.end(), {7, std::uint8_t(y & 255), std::uint8_t(x & 255)});
    return bytes;
}

inline void WindowHarness::OpenGradient(int width, int height, const QString& name)
{
    Open(WriteFile(name, GradientTexture(width, height)));
}

inline void WindowHarness::AddEntries(const QStringList& names)
{
    if (Enabled("mnuFileOpen"))
        OpenGradient(4, 4);
    for (const QString& name : names)
        AddEntry({0, 0}, {1, 1}, name);
}

} // namespace testing_support
