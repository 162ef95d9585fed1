#ifndef QTN_PROPERTY_VIEW_H
#define QTN_PROPERTY_VIEW_H

#include "property/core/qtnpropertyset.h"
#include "property/widget/qtnpropertydelegatefactory.h"
#include "property/widget/qtnpropertyviewitem.h"
#include "property/widget/qtnsubitem.h"
#include "property/widget/qtnsubitemtracker.h"

#include <QAbstractScrollArea>
#include <QHash>
#include <QPointer>

#include <memory>
#include <vector>

class QtnPropertyBase;
class QtnPropertySet;
class QtnPropertyDelegate;

// Two-column tree of one property set: names on the left, values on the
// right, in-place editors over the value column.
class QtnPropertyView : public QAbstractScrollArea
{
    Q_OBJECT
    Q_PROPERTY(QtnPropertyBase* activeProperty READ activeProperty NOTIFY activePropertyChanged)

public:
    explicit QtnPropertyView(QWidget* parent = nullptr);
    ~QtnPropertyView() override;

    // The set is not owned; the view forgets it when it is destroyed.
    QtnPropertySet* propertySet() const { return m_propertySet; }
    void setPropertySet(QtnPropertySet* propertySet);

    QtnPropertyBase* activeProperty() const { return m_activeProperty; }
    // Refuses (false) a property without a row; null clears the active row.
    bool setActiveProperty(QtnPropertyBase* property, bool ensureVisible = true);

    // View-local registrations; unknown classes fall back to the static factory.
    QtnPropertyDelegateFactory* delegateFactory() { return &m_delegateFactory; }

    int itemHeightSpacing() const { return m_itemHeightSpacing; }
    bool setItemHeightSpacing(int itemHeightSpacing);
    int itemHeight() const { return m_itemHeight; }

    float splitRatio() const { return m_splitRatio; }
    void setSplitRatio(float splitRatio);
    int splitPosition() const;

    QColor linesColor() const { return m_linesColor; }
    QColor propertySetBackdropColor() const { return m_propertySetBackdropColor; }

    // Rows as they are shown now (collapsed and invisible branches left out).
    int rowCount();
    QtnPropertyBase* propertyAtRow(int row);
    int rowOfProperty(const QtnPropertyBase* property);
    int rowLevel(int row);
    QtnPropertyBase* propertyAt(const QPoint& viewportPos);
    QRect propertyRowRect(const QtnPropertyBase* property);
    QRect propertyValueRect(const QtnPropertyBase* property);
    QtnPropertyDelegate* delegateOf(const QtnPropertyBase* property);
    bool ensureVisible(const QtnPropertyBase* property);

    // Row layout and states are re-read before the next paint or lookup.
    void invalidateRows();

Q_SIGNALS:
    void activePropertyChanged(QtnPropertyBase* activeProperty);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void changeEvent(QEvent* event) override;

private Q_SLOTS:
    void onPropertyWillChange(const QtnPropertyBase* changedProperty, const QtnPropertyBase* firedProperty,
                              QtnPropertyChangeReason reason, QtnPropertyValuePtr newValue);
    void onPropertyDidChange(const QtnPropertyBase* changedProperty, const QtnPropertyBase* firedProperty,
                             QtnPropertyChangeReason reason);
    void onPropertySetDestroyed();

private:
    // The tracker works on the rows and parts the view lays out.
    friend class QtnSubItemTracker;
    typedef QtnPropertyViewItem Item;
    typedef QtnSubItemTracker::Ref SubItemRef;

    struct Row
    {
        Item* item = nullptr;
        int level = 0;
        bool hasChildren = false;
        std::vector<QtnSubItem> subItems;
        bool subItemsBuilt = false;
        QRect builtRect;
        int builtSplit = -1;
        bool builtActive = false;
    };

    void ensureTree();
    void ensureRows();
    void addRows(Item* item, int level);
    void addRow(Item* item, int level);
    void updateItemHeight();
    void updateScrollRange();
    void updateColors();

    int rowAtY(int y);
    QRect rowRect(int row) const;
    Row* ensureSubItems(int row);
    QtnDrawContext drawContext(int row) const;
    // pos null: every part of the row may take the event (keys).
    bool dispatchToRow(int row, const QPoint* pos, QEvent* event, SubItemRef* taker = nullptr);
    void closeOwnEditor(bool commit);
    void clearTree();
    void clearActiveProperty();
    bool setActiveRow(int row);

    QPointer<QtnPropertySet> m_propertySet;
    QtnPropertyDelegateFactory m_delegateFactory;
    std::unique_ptr<Item> m_root;
    QHash<const QtnPropertyBase*, Item*> m_itemByProperty;
    std::vector<std::pair<Item*, QtnPropertyBase*>> m_pendingChildren;
    bool m_bTreeValid = false;

    std::vector<Row> m_rows;
    QHash<const QtnPropertyBase*, int> m_rowByProperty;
    bool m_bRowsValid = false;

    QPointer<QtnPropertyBase> m_activeProperty;
    bool m_bActiveSet = false;
    int m_itemHeightSpacing = 6;
    int m_itemHeight = 0;
    float m_splitRatio = 0.5f;
    QColor m_linesColor;
    QColor m_propertySetBackdropColor;

    QtnSubItemTracker m_tracker;
};

#endif // QTN_PROPERTY_VIEW_H
