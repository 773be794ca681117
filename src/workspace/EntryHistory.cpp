#include "workspace/EntryHistory.h"

namespace ravelock {

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

bool EntryHistory::Amend(std::vector<Entry>& entries, EntryStep step)
{
    const auto places = [](const std::vector<std::pair<std::size_t, Entry>>& side) {
        std::vector<std::size_t> at;
        for (const auto& [place, entry] : side)
            at.push_back(place);
        return at;
    };
    // The state saved stays one that Undo and Redo reach.
    if (done_ == 0 || done_ != steps_.size() || saved_ == done_ || steps_.back().what != step.what ||
        places(steps_.back().in) != places(step.out) || places(step.out) != places(step.in))
        return false;
    Swap(entries, step.out, step.in);
    steps_.back().in = std::move(step.in);
    if (steps_.back().in == steps_.back().out) { // moved back where the run started: no step at all
        steps_.pop_back();
        --done_;
    }
    return true;
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
