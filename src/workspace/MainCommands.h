#pragma once

#include "workspace/Dialogs.h"
#include "workspace/MainView.h"
#include "workspace/Workspace.h"

namespace ravelock {

extern const FileDialogSettings kOpenDialog;
extern const FileDialogSettings kSaveAsDialog;

// The main window's commands, on its workspace. The window calls these from
// its menu items, its mouse-down and its close event.
class MainCommands {
public:
    MainCommands(MainView& view, Dialogs& dialogs) : view_(view), dialogs_(dialogs) {}

    Workspace& State() { return ws_; }
    const Workspace& State() const { return ws_; }
    // True once the program has been told to end; nothing may run after that.
    bool Ending() const { return ending_; }

    void Load();
    void Open();
    void Save();
    void SaveAs();
    void Exit();
    void MouseDown(int button, int shift, float x, float y);
    void Undo();
    void Redo();
    void CompleteEntry();
    void DeleteEntry() { view_.ShowDeleteDialog(); }
    void Readme() { view_.ShowReadme(); }
    void RemoveEntry();

    void ShowCorner();
    void PlaceCoordinatePanel();
    void ClearCoordinateFields();
    // False when a size does not fit in 32 bits.
    bool SizeWindowToImage();
    // False when the path has no separator before its last character.
    bool ExtractTextureName();

private:
    void ReportWriteFailure(const QString& reason);
    void EndProgram();

    MainView& view_;
    Dialogs& dialogs_;
    Workspace ws_;
    bool ending_ = false;
};

// The entry name in a typed answer: its first word.
QString EntryNameFromAnswer(const QString& answer);

} // namespace ravelock
