#include "workspace/EntryHistory.h"

namespace ravelock {

namespace {

} // namespace

void EntryHistory::Swap(std::vector<Entry>& entries, const std::vector<std::pair<std::size_t, Entry>>& out,
                        const std::vector<std::pair<std::size_t, Entry>>& in)
{
    for (auto taken = out.rbegin(); taken != out.rend(); ++taken)
        entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(taken->first));
    put_.clear();
    for (const auto& [at, entry] : in) {
        entries.insert(entries.begin() + static_cast<std::ptrdiff_t>(at), entry);
        put_.push_back(at);
    }
}

void EntryHistory::Do(std::vector<Entry>& entries, EntryStep step)
{
    Swap(entries, step.out, step.in);
    steps_.resize(done_);
    if (saved_ && *saved_ > done_)
        saved_.reset();
    steps_.push_back(std::move(step));
    ++done_;
}

const EntryStep* EntryHistory::Undo(std::vector<Entry>& entries)
{
    if (done_ == 0)
        return nullptr;
    const EntryStep& step = steps_[--done_];
    Swap(entries, step.in, step.out);
    return &step;
}

const EntryStep* EntryHistory::Redo(std::vector<Entry>& entries)
{
    if (done_ == steps_.size())
        return nullptr;
    const EntryStep& step = steps_[done_++];
    Swap(entries, step.out, step.in);
    return &step;
}

void EntryHistory::Restart(bool saved)
{
    steps_.clear();
    put_.clear();
    done_ = 0;
    saved_ = saved ? std::optional<std::size_t>(0) : std::nullopt;
}

} // namespace ravelock
