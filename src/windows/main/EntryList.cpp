#include "windows/main/EntryList.h"

#include <QHeaderView>
#include <QKeyEvent>
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
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Left"), QStringLiteral("Top"), QStringLiteral("Right"),
                     QStringLiteral("Bottom"), QStringLiteral("Size")});
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // The list keeps its width, so that the window keeps the size the user gave it: long names are cut short.
    header()->setSectionResizeMode(0, QHeaderView::Stretch);
    setTextElideMode(Qt::ElideMiddle);
    connect(this, &QTreeWidget::currentItemChanged, this, [this] { emit ChosenChanged(Chosen()); });
    connect(this, &QTreeWidget::itemActivated, this, [this] {
        if (Chosen() >= 0)
            emit PropertiesRequested(Chosen());
    });
    hide();
}

void EntryList::Load(const std::vector<Entry>& entries, const std::vector<std::size_t>& put)
{
    // Every command reloads the list: a click that changed no entry rebuilds nothing.
    if (entries == shown_ && topLevelItemCount() == static_cast<int>(entries.size()))
        return;
    shown_ = entries;
    const int chosen = Chosen();
    QSignalBlocker quiet(this);
    clear();
    QList<QTreeWidgetItem*> rows;
    for (const Entry& e : entries) {
        const QRect box = e.Box();
        auto* row = new QTreeWidgetItem({e.name, QString::number(e.left), QString::number(e.top),
                                         QString::number(e.right), QString::number(e.bottom),
                                         QStringLiteral("%1 x %2").arg(box.width()).arg(box.height())});
        for (int column = 1; column < 6; ++column)
            row->setTextAlignment(column, Qt::AlignRight | Qt::AlignVCenter);
        rows << row;
    }
    addTopLevelItems(rows);
    if (!put.empty() && put.back() < entries.size()) {
        setCurrentItem(topLevelItem(static_cast<int>(put.back())));
        for (std::size_t at : put)
            if (at < entries.size())
                topLevelItem(static_cast<int>(at))->setSelected(true);
        scrollToItem(currentItem());
    } else {
        setCurrentItem(topLevelItem(std::min(chosen, static_cast<int>(rows.size()) - 1))); // none for -1
    }
    quiet.unblock();
    if (Chosen() != chosen || !put.empty())
        emit ChosenChanged(Chosen());
}

// Ctrl+Shift+arrow resizes as Alt+Shift+arrow does: some window managers keep Alt+Shift+arrows for themselves.
void EntryList::keyPressEvent(QKeyEvent* event)
{
    static const std::pair<int, QPoint> arrows[] = {
        {Qt::Key_Left, {-1, 0}}, {Qt::Key_Right, {1, 0}}, {Qt::Key_Up, {0, -1}}, {Qt::Key_Down, {0, 1}}};
    const auto keys = event->modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::ShiftModifier);
    const bool move = keys == Qt::AltModifier;
    const bool resize =
        (keys == (Qt::AltModifier | Qt::ShiftModifier)) || (keys == (Qt::ControlModifier | Qt::ShiftModifier));
    if (move || resize)
        for (const auto& [key, by] : arrows)
            if (event->key() == key) {
                if (Chosen() >= 0)
                    emit Nudged(Chosen(), by, resize);
                return;
            }
    QTreeWidget::keyPressEvent(event);
}

int EntryList::Chosen() const { return currentItem() ? indexOfTopLevelItem(currentItem()) : -1; }

std::vector<int> EntryList::ChosenRows() const
{
    std::vector<int> rows;
    for (QTreeWidgetItem* item : selectedItems())
        rows.push_back(indexOfTopLevelItem(item));
    std::sort(rows.begin(), rows.end());
    return rows;
}

// Wide enough for the headers, four-digit values and a name of a dozen letters, whatever the entries.
QSize EntryList::sizeHint() const
{
    const int text = fontMetrics().horizontalAdvance(QStringLiteral("Button_NameLeftTopRightBottom0000 x 0000"));
    const int width = text + 6 * 8 + verticalScrollBar()->sizeHint().width() + 2 * frameWidth();
    return {width, QTreeWidget::sizeHint().height()};
}

} // namespace ravelock
