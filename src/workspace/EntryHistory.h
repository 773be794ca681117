#pragma once

#include "workspace/Entry.h"

#include <QString>

#include <optional>
#include <utility>
#include <vector>

namespace ravelock {

// One change of the document's entries, as what it changed: the entries it
// took out, at their places before it, and the entries it put in, at their
// places after it, each in ascending order of place.
struct EntryStep {
    QString what; // "Adding Button", "Removing 3 entries"
    std::vector<std::pair<std::size_t, Entry>> out;
    std::vector<std::pair<std::size_t, Entry>> in;
};

// Every change of the entries since the document was opened, to take back and
// make again in order, and which of its states was saved last.
class EntryHistory {
public:
    // Makes `step` on `entries` and keeps it; the steps that could have been redone are dropped.
    void Do(std::vector<Entry>& entries, EntryStep step);
    // Folds `step` into the last step where both name the same change of the same places, nothing was undone
    // since and that step's state was not saved: a run of small moves of one entry is one step, and none where
    // it ends where it began. False where it cannot be folded.
    bool Amend(std::vector<Entry>& entries, EntryStep step);
    // The step that Undo would take back and Redo would make again; none where there is none.
    const EntryStep* Undoable() const { return done_ > 0 ? &steps_[done_ - 1] : nullptr; }
    const EntryStep* Redoable() const { return done_ < steps_.size() ? &steps_[done_] : nullptr; }
    // Take back or make again that step, and return it; nothing where there is none.
    const EntryStep* Undo(std::vector<Entry>& entries);
    const EntryStep* Redo(std::vector<Entry>& entries);

    // Whether the entries are as they were when the document was last saved or opened.
    bool AtSaved() const { return saved_ == done_; }
    void MarkSaved() { saved_ = done_; }
    // Forgets every step; `saved` where the entries now are as a file holds them.
    void Restart(bool saved);
    // The places of the entries that the last step made, taken back or made again put in, in order.
    const std::vector<std::size_t>& Put() const { return put_; }

private:
    // Takes `out` from their places, from the last, then puts `in` at theirs, from the first.
    void Swap(std::vector<Entry>& entries, const std::vector<std::pair<std::size_t, Entry>>& out,
              const std::vector<std::pair<std::size_t, Entry>>& in);

    std::vector<EntryStep> steps_;
    std::size_t done_ = 0;                 // steps_[0, done_) are in the entries
    std::optional<std::size_t> saved_ = 0; // done_ when last saved; none once that state cannot come back
    std::vector<std::size_t> put_;
};

} // namespace ravelock
