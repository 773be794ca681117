#include "workspace/MenuRules.h"

#include <vector>
#include <utility>

namespace ravelock {

namespace {

using Change = std::pair<MenuItem, bool>;

struct Rule {
    MenuEvent event;
    std::vector<Change> changes;
};

constexpr bool on = true;
constexpr bool off = false;

const Rule kRules[] = {
    {MenuEvent::StartUp,
     {{MenuItem::mnuHelpReadme, on},
      {MenuItem::mnuEditUndo, off},
      {MenuItem::mnuEditRedo, off},
      {MenuItem::mnuEditDelete, off},
      {MenuItem::mnuEditComplete, off}}},
    {MenuEvent::OpenDialogReturned, {{MenuItem::mnuFileOpen, off}}},
    {MenuEvent::ClickAwaitingFirst, {{MenuItem::mnuEditUndo, on}, {MenuItem::mnuEditRedo, off}}},
    {MenuEvent::ClickAwaitingSecond,
     {{MenuItem::mnuEditUndo, on}, {MenuItem::mnuEditComplete, on}, {MenuItem::mnuEditRedo, off}}},
    {MenuEvent::ClickNoCornerAwaited, {{MenuItem::mnuEditUndo, on}, {MenuItem::mnuEditComplete, on}}},
    {MenuEvent::UndoFlagsEqual, {{MenuItem::mnuEditRedo, on}, {MenuItem::mnuEditComplete, off}}},
    {MenuEvent::UndoAwaitingSecond, {{MenuItem::mnuEditUndo, off}, {MenuItem::mnuEditRedo, on}}},
    {MenuEvent::UndoAwaitingFirst, {{MenuItem::mnuEditUndo, off}}},
    {MenuEvent::RedoAwaitingFirstStackLeft, {{MenuItem::mnuEditUndo, on}}},
    {MenuEvent::RedoAwaitingFirstStackEmpty, {{MenuItem::mnuEditUndo, on}, {MenuItem::mnuEditRedo, off}}},
    {MenuEvent::RedoAwaitingSecond,
     {{MenuItem::mnuEditRedo, off}, {MenuItem::mnuEditUndo, on}, {MenuItem::mnuEditComplete, on}}},
    {MenuEvent::RedoNoCornerAwaited, {{MenuItem::mnuEditRedo, off}}},
    {MenuEvent::CompleteEntryAdded,
     {{MenuItem::mnuEditUndo, off}, {MenuItem::mnuEditComplete, off}, {MenuItem::mnuEditDelete, on}}},
    {MenuEvent::CompleteCornerAwaited,
     {{MenuItem::mnuEditUndo, off}, {MenuItem::mnuEditComplete, off}, {MenuItem::mnuEditDelete, on}}},
};

} // namespace

void ApplyMenuRule(MainView& view, MenuEvent event)
{
    for (const Rule& rule : kRules) {
        if (rule.event != event)
            continue;
        for (const auto& [item, enabled] : rule.changes)
            view.SetMenuEnabled(item, enabled);
        return;
    }
}

} // namespace ravelock
