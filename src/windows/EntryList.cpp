#include "windows/EntryList.h"

#include <QHeaderView>
#include <QScrollBar>

#include <algorithm>
#include <cstdlib>

namespace ravelock {

EntryList::EntryList(QWidget* parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("lstEntries"));
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Left"), QStringLiteral("Top"), QStringLiteral("Right"),
                     QStringLiteral("Bottom"), QStringLiteral("Size")});
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    connect(this, &QTreeWidget::currentItemChanged, this, [this] { emit ChosenChanged(Chosen()); });
    connect(this, &QTreeWidget::itemActivated, this, [this] {
        if (Chosen() >= 0)
            emit PropertiesRequested(Chosen());
    });
    hide();
}

void EntryList::Load(const std::vector<Entry>& entries)
{
    // Every command reloads the list: a click that changed no entry rebuilds nothing.
    if (entries == shown_ && topLevelItemCount() == static_cast<int>(entries.size()))
        return;
    shown_ = entries;
    const int chosen = Chosen();
    const QSignalBlocker quiet(this);
    clear();
    QList<QTreeWidgetItem*> rows;
    for (const Entry& e : entries) {
        const QString size =
            QStringLiteral("%1 x %2").arg(std::abs(e.right - e.left) + 1).arg(std::abs(e.bottom - e.top) + 1);
        auto* row = new QTreeWidgetItem({e.name, QString::number(e.left), QString::number(e.top),
                                         QString::number(e.right), QString::number(e.bottom), size});
        for (int column = 1; column < 6; ++column)
            row->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
        rows << row;
    }
    addTopLevelItems(rows);
    if (chosen >= 0 && !rows.isEmpty())
        setCurrentItem(topLevelItem(std::min(chosen, static_cast<int>(rows.size()) - 1)));
    if (Chosen() != chosen)
        emit ChosenChanged(Chosen());
}

int EntryList::Chosen() const { return currentItem() ? indexOfTopLevelItem(currentItem()) : -1; }

// Wide enough for the headers, four-digit values and a name of a dozen letters; longer names scroll.
QSize EntryList::sizeHint() const
{
    const int text = fontMetrics().horizontalAdvance(QStringLiteral("Button_NameLeftTopRightBottom0000 x 0000"));
    return {text + 6 * 8 + verticalScrollBar()->sizeHint().width() + 2 * frameWidth(), QTreeWidget::sizeHint().height()};
}

} // namespace ravelock
