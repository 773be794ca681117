#pragma once

#include "workspace/MainView.h"

namespace ravelock {

// Every event that changes which menu items are enabled. The table in
// MenuRules.cpp is the one place that says what each event does.
enum class MenuEvent {
    StartUp,
    OpenDialogReturned,
    ClickAwaitingFirst,
    ClickAwaitingSecond,
    ClickNoCornerAwaited,
    UndoFlagsEqual,
    UndoAwaitingSecond,
    UndoAwaitingFirst,
    RedoAwaitingFirstStackLeft,
    RedoAwaitingFirstStackEmpty,
    RedoAwaitingSecond,
    RedoNoCornerAwaited,
    CompleteEntryAdded,
    CompleteCornerAwaited,
};

void ApplyMenuRule(MainView& view, MenuEvent event);

} // namespace ravelock
