#pragma once

#include "workspace/MainCommands.h"

#include <QObject>
#include <QPointer>

#include <functional>

class QAction;
class QDialog;
class QWidget;

namespace ravelock {

class EntryList;
class FrmRepeat;
class PlanDialog;
class TextureShapes;
class ViewAids;

// Shows `dialog` beside `window` where the screen has room, so that the picture and its outlines stay in view.
void ShowBeside(const QWidget& window, QDialog& dialog);

// Edit's commands that add many entries, each through its dialog beside the window, what it would add outlined on
// the picture while it is open.
class PlanDialogs final : public QObject {
    Q_OBJECT
public:
    // Runs a command as the window does.
    using Runner = std::function<void(const std::function<void(MainCommands&)>&)>;

    PlanDialogs(QWidget& window, const MainCommands& commands, Runner run, ViewAids& aids, const EntryList& entries,
                const TextureShapes& shapes, QAction& repeat);

    void ShowRepeat();
    void ShowMapShapes();
    void ShowSlice();
    // Repeat Entries needs entries chosen in the list.
    void OfferRepeat();
    // While Repeat Entries is open a click on the picture places its copies: whether it took `texel`.
    bool Aim(QPoint texel);

private:
    void Open(PlanDialog& dialog, std::function<Plan()> plan, std::function<bool()> apply, const QString& hint = {});
    // Whether `command` ran and said it added what was planned.
    bool Added(const std::function<bool(MainCommands&)>& command);

    QWidget& window_;
    const MainCommands& commands_;
    Runner run_;
    ViewAids& aids_;
    const EntryList& entries_;
    const TextureShapes& shapes_;
    QAction& repeatAction_;
    QPointer<FrmRepeat> repeat_;
};

} // namespace ravelock
