#pragma once

#include "workspace/Workspace.h"

#include <QTreeWidget>

namespace ravelock {

// Every entry in document order, with its corners and size: a column beside
// the panel. Return or a double-click asks for the current entry's properties;
// Shift and Ctrl choose several rows; Alt+arrow nudges the current entry, and
// Alt+Shift+arrow its right or bottom edge.
class EntryList final : public QTreeWidget {
    Q_OBJECT
public:
    explicit EntryList(QWidget* parent);

    // Shows `entries`, keeping the current row where there still is one; where
    // they changed, the entries at the places `put` are chosen and in view.
    void Load(const std::vector<Entry>& entries, const std::vector<std::size_t>& put = {});
    // The current entry, from 0; -1 for none.
    int Chosen() const;
    // Every chosen entry, in document order.
    std::vector<int> ChosenRows() const;
    QSize sizeHint() const override;

signals:
    void ChosenChanged(int index);
    void PropertiesRequested(int index);
    void Nudged(int index, QPoint by, bool resize);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::vector<Entry> shown_;
};

} // namespace ravelock
