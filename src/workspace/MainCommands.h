#pragma once

#include "workspace/Dialogs.h"
#include "workspace/MainView.h"
#include "workspace/Recovery.h"
#include "workspace/Workspace.h"

#include <QRect>

namespace ravelock {

// The main window's commands, on its workspace. The window calls these from
// its menu items, its picture and its close event; each shows the state it
// leaves through the view.
class MainCommands {
public:
    // Unsaved work is copied into `recoveryFolder` after every change.
    MainCommands(MainView& view, Dialogs& dialogs, QString recoveryFolder = Recovery::DefaultFolder())
        : view_(view), dialogs_(dialogs), recovery_(std::move(recoveryFolder))
    {
    }

    const Workspace& State() const { return ws_; }
    // True once the program has been told to end; nothing may run after that.
    bool Ending() const { return ending_; }

    void Load();
    void Open();
    // Opens the texture at `path` as if it had been chosen in Open; nothing
    // happens once a texture is open or painting.
    void OpenTexture(const QString& path);
    // Reads a map of the open texture, as Save writes it, into a document with
    // no entries; a file that is not one is refused, naming the line.
    void OpenMap();
    void OpenMapFile(const QString& path);
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
    // Says why `edited` cannot replace the entry at `index` and returns true, or returns false where it can.
    bool RefuseEdit(int index, const Entry& edited);
    // Replaces the entry at `index` in place; its name is taken as Complete Entry takes one.
    void EditEntry(int index, const Entry& edited);

private:
    // The title and text of why `edited` cannot replace the entry at `index`.
    std::optional<std::pair<QString, QString>> EditRefused(int index, const Entry& edited) const;
    void Show();
    void ShowRegionComplete();
    QString Hint() const;
    void ShowCaption();
    bool WriteDocument(const QString& path);
    // Asks before Save As replaces the file at `path`; true to replace it.
    bool ConfirmReplacing(const QString& path);
    // Copies unsaved work for recovery, or removes the copy once the work is saved or given up.
    void KeepRecovery();
    void OfferRecovery();
    void EndProgram();

    MainView& view_;
    Dialogs& dialogs_;
    Workspace ws_;
    Recovery recovery_;
    bool ending_ = false;
};

} // namespace ravelock
