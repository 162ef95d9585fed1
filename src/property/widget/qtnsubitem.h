#ifndef QTN_SUB_ITEM_H
#define QTN_SUB_ITEM_H

#include <QColor>
#include <QEvent>
#include <QPalette>
#include <QRect>
#include <QString>
#include <QStyle>

#include <functional>

class QPainter;
class QtnPropertyView;
class QtnPropertyBase;
class QtnSubItem;

// Hover and press feedback of one part of a row.
enum QtnSubItemState
{
    QtnSubItemStateNone,
    QtnSubItemStateUnderCursor,
    QtnSubItemStatePushed
};

// Everything a delegate needs to lay out and draw one row.
struct QtnDrawContext
{
    QPainter* painter = nullptr;        // null while only the layout is built
    const QtnPropertyView* widget = nullptr;
    QRect rect;                         // the whole row
    int margin = 0;                     // x where the branch node of this level starts
    int splitPos = 0;                   // x of the column border
    bool isActive = false;
    bool hasChildren = false;
    bool isCollapsed = false;

    QStyle* style() const;
    const QPalette& palette() const;
    QPalette::ColorGroup colorGroup() const;
    // Text colour of a row: greyed out for read-only properties.
    QColor textColorFor(bool editable) const;
    QColor alternateColor() const;
    int rowHeight() const { return rect.height(); }
    // Rectangles shared by all delegates so the columns line up.
    QRect branchRect() const;
    QRect nameRect() const;
    QRect valueRect() const;
};

// Notifications a row part gets from the view on top of ordinary events.
class QtnSubItemEvent : public QEvent
{
public:
    enum Type
    {
        HoverEnter = QEvent::User + 1301,
        HoverLeave,
        Activated
    };

    explicit QtnSubItemEvent(Type type, QtnSubItemState state);
    QtnSubItemState state() const { return m_state; }

private:
    QtnSubItemState m_state;
};

struct QtnEventContext
{
    QEvent* event = nullptr;
    QtnPropertyView* widget = nullptr;

    int eventType() const { return event ? int(event->type()) : 0; }
    template <typename T> T* eventAs() const { return static_cast<T*>(event); }
    void updateWidget();
};

typedef std::function<void(QtnDrawContext&, const QtnSubItem&)> QtnSubItemDrawHandler;
typedef std::function<bool(QtnEventContext&, const QtnSubItem&)> QtnSubItemEventHandler;
typedef std::function<QString(QtnEventContext&, const QtnSubItem&)> QtnSubItemToolTipHandler;

// One part of a row: its rectangle, how it draws, how it reacts, its tooltip.
class QtnSubItem
{
public:
    explicit QtnSubItem(const QRect& rect = QRect());

    QRect rect;
    QtnSubItemDrawHandler drawHandler;
    QtnSubItemEventHandler eventHandler;
    QtnSubItemToolTipHandler tooltipHandler;

    // Parts that track hover and press get the enter/leave/activation events.
    void trackState() { m_bTrackState = true; }
    bool isTrackingState() const { return m_bTrackState; }
    QtnSubItemState state() const { return m_state; }
    void setState(QtnSubItemState state) { m_state = state; }
    // Style flags for drawing a button-like part in its current state.
    QStyle::State styleState(bool enabled, bool active = false) const;

private:
    QtnSubItemState m_state = QtnSubItemStateNone;
    bool m_bTrackState = false;
};

#endif // QTN_SUB_ITEM_H
