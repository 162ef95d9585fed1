#include "property/widget/qtnpropertyviewitem.h"
#include "property/core/qtnpropertyset.h"
#include "property/widget/qtnpropertydelegate.h"
#include "property/widget/qtnpropertydelegatefactory.h"

#include <algorithm>

QtnPropertyViewItem::~QtnPropertyViewItem() = default;

std::unique_ptr<QtnPropertyViewItem> QtnPropertyViewItem::create(QtnPropertyBase* property,
                                                                 QtnPropertyViewItem* parent,
                                                                 const QtnPropertyDelegateFactory& factory,
                                                                 Index& index)
{
    std::unique_ptr<QtnPropertyViewItem> item(new QtnPropertyViewItem);
    item->property = property;
    item->parent = parent;
    index.insert(property, item.get());
    if (parent)
        item->delegate.reset(factory.createDelegate(*property));
    if (QtnPropertySet* set = property->asPropertySet())
    {
        const auto& children = set->childProperties();
        item->children.reserve(size_t(children.size()));
        for (QtnPropertyBase* child : children)
            item->children.push_back(create(child, item.get(), factory, index));
    }
    else if (item->delegate)
    {
        for (int i = 0; i < item->delegate->subPropertyCount(); ++i)
            item->children.push_back(create(item->delegate->subProperty(i), item.get(), factory, index));
    }
    return item;
}

bool QtnPropertyViewItem::hasVisibleChild() const
{
    return std::any_of(children.begin(), children.end(),
                       [](const std::unique_ptr<QtnPropertyViewItem>& child) { return child->property->isVisible(); });
}
