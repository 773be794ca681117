#pragma once

#include "workspace/Workspace.h"

#include <QTreeWidget>

namespace ravelock {

// Every entry in document order, with its corners and size: a column beside
// the panel. Return or a double-click asks for the chosen entry's properties.
class EntryList final : public QTreeWidget {
    Q_OBJECT
public:
    explicit EntryList(QWidget* parent);

    // Shows `entries`, keeping the chosen row where there still is one.
    void Load(const std::vector<Entry>& entries);
    // The chosen entry, from 0; -1 for none.
    int Chosen() const;
    QSize sizeHint() const override;

signals:
    void ChosenChanged(int index);
    void PropertiesRequested(int index);

private:
    std::vector<Entry> shown_;
};

} // namespace ravelock
