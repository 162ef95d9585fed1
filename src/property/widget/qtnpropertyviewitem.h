#ifndef QTN_PROPERTY_VIEW_ITEM_H
#define QTN_PROPERTY_VIEW_ITEM_H

#include <QHash>

#include <memory>
#include <vector>

class QtnPropertyBase;
class QtnPropertyDelegate;
class QtnPropertyDelegateFactory;

// One node of the view's tree: a property, the delegate made for it, and
// its children (a set's child properties or a delegate's sub-properties).
class QtnPropertyViewItem
{
public:
    typedef QHash<const QtnPropertyBase*, QtnPropertyViewItem*> Index;

    ~QtnPropertyViewItem();

    // Builds the item and its whole subtree, recording every item in index.
    // The root (no parent) gets no delegate: the shown set has no row.
    static std::unique_ptr<QtnPropertyViewItem> create(QtnPropertyBase* property, QtnPropertyViewItem* parent,
                                                       const QtnPropertyDelegateFactory& factory, Index& index);

    bool hasVisibleChild() const;

    QtnPropertyBase* property = nullptr;
    std::unique_ptr<QtnPropertyDelegate> delegate;
    QtnPropertyViewItem* parent = nullptr;
    std::vector<std::unique_ptr<QtnPropertyViewItem>> children;
    // Children announced but not built yet (they may still be constructing).
    int pendingChildren = 0;
};

#endif // QTN_PROPERTY_VIEW_ITEM_H
