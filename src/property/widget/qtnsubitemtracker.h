#ifndef QTN_SUB_ITEM_TRACKER_H
#define QTN_SUB_ITEM_TRACKER_H

#include "property/widget/qtnsubitem.h"

#include <vector>

class QMouseEvent;
class QPoint;
class QRubberBand;
class QtnPropertyView;

// Follows the mouse over the rows of one property view: the hover and press
// feedback of their parts, the part that keeps a press until the button is
// released, and the drag of the column border.
class QtnSubItemTracker
{
public:
    // A part of a row, by position: rows are rebuilt, pointers would dangle.
    struct Ref
    {
        int row = -1;
        int index = -1;
        bool isValid() const { return row >= 0 && index >= 0; }
        bool operator==(const Ref& other) const { return row == other.row && index == other.index; }
    };

    explicit QtnSubItemTracker(QtnPropertyView* view);

    void mousePress(QMouseEvent* event);
    void mouseRelease(QMouseEvent* event);
    void mouseMove(QMouseEvent* event);
    // The mouse left the viewport: the hovered part is left too.
    void leave();
    // The rows are about to be rebuilt: no part is hovered or pressed any more.
    void reset();
    // A rebuilt row keeps the hover or press feedback it showed.
    void restoreStates(int row, std::vector<QtnSubItem>& subItems) const;

private:
    QtnSubItem* subItem(const Ref& ref);
    Ref subItemAt(int row, const QPoint& pos);
    bool sendToSubItem(const Ref& ref, QEvent* event);
    void setSubItemState(const Ref& ref, QtnSubItemState state);
    void updateHover(const QPoint& pos);
    void releaseGrab();
    bool nearBorder(int x) const;

    QtnPropertyView* m_view;
    QRubberBand* m_rubberBand = nullptr;
    Ref m_hover;
    Ref m_grab;
};

#endif // QTN_SUB_ITEM_TRACKER_H
