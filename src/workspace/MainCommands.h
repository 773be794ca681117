#pragma once

#include "workspace/Dialogs.h"
#include "workspace/MainView.h"
#include "workspace/ManyEntries.h"
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
    // The texture named on the command line, and a map of it where one follows.
    void OpenFiles(const QStringList& files);
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
    // Complete Entry with the name already typed; false where none was added (no name, or a name in use).
    bool NameRectangle(const QString& typed);
    // With several entries chosen (places from 0), asks once and removes them; else opens the Delete Entry dialog.
    void DeleteEntry(const std::vector<int>& chosen = {});
    void Readme() { view_.ShowReadme(); }
    // Removes the entry at `index`, counted from 0 in document order.
    void RemoveEntry(int index);
    // Replaces the entry at `index` in place, its name taken as Complete Entry takes one; or says why
    // not and returns false.
    bool EditEntry(int index, const Entry& edited);
    // Moves the entry at `index` by `by` texels, or with `resize` its right and bottom edges; it stays on the
    // picture's texels and the column and row past them, at least a texel. A run of nudges of one entry is one step.
    void NudgeEntry(int index, QPoint by, bool resize);
    // Each adds its entries at the end of the document as one step, or says why not and returns false.
    bool RepeatEntries(const std::vector<Entry>& sources, const RepeatSettings& settings);
    bool MapAllShapes(const std::vector<QRect>& shapes, const QString& base, int join,
                      Numbers numbers = Numbers::Plain);
    // Cuts the rectangle waiting for its name, which is then given up.
    bool SliceRectangle(const SliceSettings& settings, const targa::ShapeTexels* texels);
    // Take back, or make again, the last change of the entries. The corners have Undo and Redo of their own.
    void UndoEntryChange();
    void RedoEntryChange();

private:
    // Every change of the entries: makes `step` and keeps it in the history, then shows the state, says
    // `message` and keeps the recovery copy.
    void Change(EntryStep step, const QString& message);
    void Changed(const QString& message);
    bool Add(const Plan& plan, const QString& what, const QString& message);
    void Show();
    void ShowRegionComplete();
    QString Hint() const;
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
