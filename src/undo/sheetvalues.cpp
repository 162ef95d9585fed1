#include "undo/sheetvalues.h"

#include "catalogue/catalogue.h"
#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "diagram/wire.h"
#include "property/core/qtnenuminfo.h"
#include "property/core/qtnpropertyenum.h"
#include "propertysets/moxenums.h"
#include "propertysets/qtnpropertysetproject.h"
#include "propertysets/qtnpropertysetwire.h"

struct SheetValues::ElementState {
    SetSnapshot values;
    // Diagram items only.
    QString lastModelText;
    QString toolTip;
    bool modelMissing = false;
    bool slotOverflow = false;
    bool lowVoltage = false;
    bool extenderRequired = false;
    QList<Wire *> wires;

    bool operator==(const ElementState &other) const
    {
        return values == other.values && lastModelText == other.lastModelText && toolTip == other.toolTip
               && modelMissing == other.modelMissing && slotOverflow == other.slotOverflow
               && lowVoltage == other.lowVoltage && extenderRequired == other.extenderRequired
               && wires == other.wires;
    }
};

namespace {

// A point's list of fitting models is rebuilt by every calculation pass, so
// the list of the moment may lack a model the point had: the list travels
// with the values and is rebuilt with the kept choice.
const SetSnapshot::ListKeeper &modelLists()
{
    static const SetSnapshot::ListKeeper keeper{
            [](const QtnPropertyEnum &choice) {
                return choice.enumInfo() && choice.enumInfo()->name() == QLatin1String("PDTYPE");
            },
            [](QtnPropertyEnum &choice, const QStringList &texts, const QString &chosen) {
                bool missing = false;
                QString toolTip;
                Catalogue::setPdModels(choice, texts, chosen, &missing, &toolTip);
            }};
    return keeper;
}

DiagramItem *asDiagramItem(QGraphicsItem *item)
{
    return item && item->type() == DiagramItem::Type ? static_cast<DiagramItem *>(item) : nullptr;
}

// The items' wire lists are kept sorted with a stable sort, so appending
// the kept order again gives the kept order.
void restoreWireOrder(DiagramItem *item, const QList<Wire *> &order)
{
    if (item->wires() == order)
        return;
    if (QSet<Wire *>(item->wires().cbegin(), item->wires().cend()) != QSet<Wire *>(order.cbegin(), order.cend()))
        return;
    item->takeWires();
    for (Wire *wire : order)
        item->addWire(wire);
}

QStringList listTexts(const QtnEnumInfo &info)
{
    QStringList texts;
    for (const QtnEnumValueInfo &entry : info.secondValues())
        texts << entry.displayName();
    return texts;
}

// What an item holds beside its set. It is read afresh at every capture:
// a few flags, two texts and a list that shares its data.
void takeItemState(SheetValues::ElementState &state, const DiagramItem *item)
{
    state.lastModelText = item->lastModelText();
    state.toolTip = item->toolTip();
    state.modelMissing = item->modelMissing();
    state.slotOverflow = item->slotOverflow();
    state.lowVoltage = item->lowVoltage();
    state.extenderRequired = item->extenderRequired();
    state.wires = item->wires();
}

} // namespace

const SheetValues::Cache::Kept *SheetValues::Cache::find(const QGraphicsItem *element) const
{
    const auto it = where.constFind(element);
    return it == where.constEnd() ? nullptr : &order.at(it.value());
}

void SheetValues::Cache::forget(const QGraphicsItem *element)
{
    const auto it = where.find(element);
    if (it == where.end())
        return;
    order[it.value()] = Kept();
    where.erase(it);
}

void SheetValues::Cache::clear()
{
    order.clear();
    where.clear();
    project.reset();
    projectRevision = 0;
    wireTypes.clear();
}

SheetValues SheetValues::capture(DiagramScene *scene, Cache &cache)
{
    SheetValues captured;
    // The cables' type list is one list for all of them, filled again in
    // place when a cable is made: the choice texts of every cable may have
    // changed with no change in any cable's set.
    const QStringList wireTypes = listTexts(MoxEnums::wireType());
    const bool wireTypesKept = wireTypes == cache.wireTypes;
    cache.wireTypes = wireTypes;

    // The order of the elements matters to nobody (each puts back only its
    // own values), and the scene's stacking order costs a sort of the whole
    // sheet: the scene's index lists them as it keeps them, which is mostly
    // the order the last capture met them in.
    const QList<QGraphicsItem *> items = scene->items(Qt::SortOrder(-1));
    QVector<QGraphicsItem *> elements;
    elements.reserve(items.size());
    for (QGraphicsItem *element : items) {
        if (element->type() == DiagramItem::Type || element->type() == Wire::Type)
            elements.append(element);
    }
    bool inPlace = elements.size() == cache.order.size();
    for (int i = 0; inPlace && i < elements.size(); ++i)
        inPlace = cache.order.at(i).element == elements.at(i);
    QVector<Cache::Kept> order;
    if (!inPlace)
        order.resize(elements.size());

    captured.m_elements.reserve(elements.size());
    for (int i = 0; i < elements.size(); ++i) {
        QGraphicsItem *element = elements.at(i);
        Cache::Kept *kept;
        if (inPlace) {
            kept = &cache.order[i];
        } else {
            kept = &order[i];
            if (const Cache::Kept *found = cache.find(element))
                *kept = *found;
            kept->element = element;
        }
        DiagramItem *item = asDiagramItem(element);
        QtnPropertySet *set = item ? item->propertySet()
                                   : static_cast<QtnPropertySet *>(static_cast<Wire *>(element)->propertySet());
        const bool valuesKept = kept->state && kept->revision == set->revision() && (item || wireTypesKept);
        if (!valuesKept || (item && kept->itemRevision != item->stateRevision())) {
            auto state = std::make_shared<ElementState>();
            state->values = valuesKept ? kept->state->values
                                       : SetSnapshot::capture(set, item ? &modelLists() : nullptr);
            if (item)
                takeItemState(*state, item);
            if (!kept->state || !(*kept->state == *state))
                kept->state = state;
            kept->revision = set->revision();
            kept->itemRevision = item ? item->stateRevision() : 0;
        }
        captured.m_elements.append({element, kept->state});
    }
    if (!inPlace) {
        cache.order.swap(order);
        cache.where.clear();
        cache.where.reserve(cache.order.size());
        for (int i = 0; i < cache.order.size(); ++i)
            cache.where.insert(cache.order.at(i).element, i);
    }

    QtnPropertySet *projectSet = scene->projectSet();
    if (!cache.project || cache.project->set() != projectSet || cache.projectRevision != projectSet->revision()) {
        const SetSnapshot project = SetSnapshot::capture(projectSet);
        if (!cache.project || *cache.project != project)
            cache.project = std::make_shared<const SetSnapshot>(project);
        cache.projectRevision = projectSet->revision();
    }
    captured.m_project = cache.project;
    return captured;
}

void SheetValues::apply(DiagramScene *scene, const Cache &cache) const
{
    const bool wireTypesKept = listTexts(MoxEnums::wireType()) == cache.wireTypes;
    for (const auto &element : m_elements) {
        if (element.first->scene() != scene)
            continue;
        // An element unchanged since it was last captured, in exactly this
        // state, holds these values already.
        DiagramItem *held = asDiagramItem(element.first);
        const Cache::Kept *kept = cache.find(element.first);
        if (kept && kept->state == element.second) {
            const QtnPropertySet *set = held ? held->propertySet()
                                             : static_cast<Wire *>(element.first)->propertySet();
            if (kept->revision == set->revision()
                && (held ? kept->itemRevision == held->stateRevision() : wireTypesKept))
                continue;
        }
        const ElementState &state = *element.second;
        state.values.apply(&modelLists());
        if (held) {
            held->setLastModelText(state.lastModelText);
            held->setToolTip(state.toolTip);
            held->setModelMissing(state.modelMissing);
            held->setSlotOverflow(state.slotOverflow);
            held->setLowVoltage(state.lowVoltage);
            held->setExtenderRequired(state.extenderRequired);
            restoreWireOrder(held, state.wires);
            held->update();
        }
    }
    if (m_project)
        m_project->apply();
}

void SheetValues::collectElements(QSet<const QGraphicsItem *> &out) const
{
    for (const auto &element : m_elements)
        out.insert(element.first);
}
