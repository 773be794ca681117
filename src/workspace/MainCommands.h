#pragma once

#include "workspace/Dialogs.h"
#include "workspace/MainView.h"
#include "workspace/Workspace.h"

namespace ravelock {

// The main window's commands, on its workspace. The window calls these from
// its menu items, its mouse-down and its close event.
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
    // A press on texel (x, y) of the picture; the column and row just past
    // the texture count too.
    void MouseDown(int x, int y);
    void Undo();
    void Redo();
    void CompleteEntry();
    void DeleteEntry() { view_.ShowDeleteDialog(); }
    void Readme() { view_.ShowReadme(); }
    // Removes the entry at `index`, counted from 0 in document order.
    void RemoveEntry(int index);
    void PlaceCoordinatePanel();

private:
    enum class Texture { None, Painting, Ready };

    void ShowCorner();
    void ClearCoordinateFields();
    bool ExtractTextureName();
    void SetPanelVisible(bool visible);
    bool WriteDocument();
    void ShowHint();
    void ShowCaption();
    void EndProgram();

    MainView& view_;
    Dialogs& dialogs_;
    Workspace ws_;
    Texture texture_ = Texture::None;
    bool ending_ = false;
};

// The entry name in a typed answer: its first word.
QString EntryNameFromAnswer(const QString& answer);

} // namespace ravelock
