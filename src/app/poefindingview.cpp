#include "app/poefindingview.h"

#include <QAccessible>

#include <algorithm>

PoeFindingView::PoeFindingView(QWidget *parent)
    : QTableView(parent)
{
}

void PoeFindingView::dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                                 const QVector<int> &roles)
{
    // The base class answers a range of more than one cell by painting the
    // whole viewport; editors (there are none) and assistive tools are its
    // business, so it keeps those cases and single cells.
    if (topLeft == bottomRight || !topLeft.isValid() || !bottomRight.isValid() || QAccessible::isActive()) {
        QTableView::dataChanged(topLeft, bottomRight, roles);
        return;
    }
    // A tool tip is read when it is shown: nothing to paint.
    if (!roles.isEmpty() && std::all_of(roles.cbegin(), roles.cend(), [](int role) { return role == Qt::ToolTipRole; }))
        return;
    const int firstShown = rowAt(0);
    if (firstShown < 0)
        return;
    int lastShown = rowAt(viewport()->height() - 1);
    if (lastShown < 0)
        lastShown = model()->rowCount(rootIndex()) - 1;
    const int first = qMax(topLeft.row(), firstShown);
    const int last = qMin(bottomRight.row(), lastShown);
    if (first > last)
        return;
    const QRect from = visualRect(model()->index(first, topLeft.column(), rootIndex()));
    const QRect to = visualRect(model()->index(last, bottomRight.column(), rootIndex()));
    viewport()->update(from.united(to));
}
