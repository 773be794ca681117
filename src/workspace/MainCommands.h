#pragma once

#include "workspace/Dialogs.h"
#include "workspace/MainView.h"
#include "workspace/Workspace.h"

#include <QRect>

namespace ravelock {

// The main window's commands, on its workspace. The window calls these from
// its menu items, its picture and its close event; each shows the state it
// leaves through the view.
class MainCommands {
public:
    MainCommands(MainView& view, Dialogs& dialogs) : view_(view), dialogs_(dialogs) {}

    const Workspace& State() const { return ws_; }
    // True once the program has been told to end; nothing may run after that.
    bool Ending() const { return ending_; }

    void Load();
    void Open();
    // Opens the texture at `path` as if it had been chosen in Open; nothing
    // happens once a texture is open or painting.
    void OpenTexture(const QString& path);
    // Both tell whether the document was written.
    bool Save();
    bool SaveAs();
    void Exit();
    // A click on `texel` of the picture; the column and row just past the texture count too.
    void Click(QPoint texel);
    // Takes the box of a shape as both corners, the texels at its top left and bottom right; with `grow`, the
    // box that holds the rectangle being picked as well. Nothing is a click on no shape.
    void TakeShape(std::optional<QRect> shape, bool grow);
    void Undo();
    void Redo();
    void CompleteEntry();
    void DeleteEntry() { view_.ShowDeleteDialog(); }
    void Readme() { view_.ShowReadme(); }
    // Removes the entry at `index`, counted from 0 in document order.
    void RemoveEntry(int index);

private:
    void Show();
    void ShowRegionComplete();
    QString Hint() const;
    void ShowCaption();
    bool WriteDocument(const QString& path);
    void EndProgram();

    MainView& view_;
    Dialogs& dialogs_;
    Workspace ws_;
    bool ending_ = false;
};

} // namespace ravelock
