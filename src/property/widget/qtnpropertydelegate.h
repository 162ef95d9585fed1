#ifndef QTN_PROPERTY_DELEGATE_H
#define QTN_PROPERTY_DELEGATE_H

#include "property/core/qtnpropertydelegateinfo.h"
#include "property/widget/qtnsubitem.h"

#include <vector>

class QtnPropertyBase;

// Reads one attribute; a missing or unconvertible attribute keeps the default.
template <typename T>
bool qtnGetAttribute(const QtnPropertyDelegateAttributes& attributes, const QByteArray& name, T& value)
{
    auto it = attributes.find(name);
    if (it == attributes.end() || !it.value().canConvert<T>())
        return false;
    QVariant converted = it.value();
    if (!converted.convert(qMetaTypeId<T>()))
        return false;
    value = converted.value<T>();
    return true;
}

// Decides how one property is drawn and edited in the view. A delegate may
// own sub-properties (the "Left" of a rectangle...) that appear as child rows.
class QtnPropertyDelegate
{
    Q_DISABLE_COPY(QtnPropertyDelegate)

public:
    virtual ~QtnPropertyDelegate();

    QtnPropertyBase* property() const { return &m_owner; }

    int subPropertyCount() const { return int(m_subProperties.size()); }
    QtnPropertyBase* subProperty(int index) const { return m_subProperties[size_t(index)]; }

    void applyAttributes(const QtnPropertyDelegateAttributes& attributes);
    void createSubItems(QtnDrawContext& context, std::vector<QtnSubItem>& subItems);

    // Row parts every delegate shares; public so that composite delegates reuse them.
    static void addSubItemBackground(QtnDrawContext& context, std::vector<QtnSubItem>& subItems);
    static void addSubItemSelection(QtnDrawContext& context, std::vector<QtnSubItem>& subItems);
    void addSubItemBranchNode(QtnDrawContext& context, std::vector<QtnSubItem>& subItems);
    void addSubItemName(QtnDrawContext& context, std::vector<QtnSubItem>& subItems, bool wholeRow = false);
    // Returns the width taken from the right edge (0 when the property cannot be reset).
    int addSubItemReset(QtnDrawContext& context, std::vector<QtnSubItem>& subItems);

protected:
    explicit QtnPropertyDelegate(QtnPropertyBase& owner);

    virtual void applyAttributesImpl(const QtnPropertyDelegateAttributes& attributes);
    virtual void createSubItemsImpl(QtnDrawContext& context, std::vector<QtnSubItem>& subItems) = 0;

    // The delegate owns the sub-property and deletes it with itself.
    void addSubProperty(QtnPropertyBase* subProperty);

    QtnPropertyBase& m_owner;

private:
    std::vector<QtnPropertyBase*> m_subProperties;
};

#endif // QTN_PROPERTY_DELEGATE_H
