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

Wire *asWire(QGraphicsItem *item)
{
    return item && item->type() == Wire::Type ? static_cast<Wire *>(item) : nullptr;
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

bool sameItemState(const SheetValues::ElementState &state, const DiagramItem *item)
{
    return state.modelMissing == item->modelMissing() && state.slotOverflow == item->slotOverflow()
           && state.lowVoltage == item->lowVoltage() && state.extenderRequired == item->extenderRequired()
           && state.wires == item->wires() && state.lastModelText == item->lastModelText()
           && state.toolTip == item->toolTip();
}

} // namespace

void SheetValues::Cache::clear()
{
    elements.clear();
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
    // sheet: the scene's index lists them as it keeps them.
    const QList<QGraphicsItem *> items = scene->items(Qt::SortOrder(-1));
    captured.m_elements.reserve(items.size());
    for (QGraphicsItem *element : items) {
        DiagramItem *item = asDiagramItem(element);
        Wire *wire = item ? nullptr : asWire(element);
        if (!item && !wire)
            continue;
        QtnPropertySet *set = item ? item->propertySet() : static_cast<QtnPropertySet *>(wire->propertySet());
        Cache::Kept &kept = cache.elements[element];
        const bool valuesKept = kept.state && kept.revision == set->revision() && (item || wireTypesKept);
        if (!valuesKept || (item && !sameItemState(*kept.state, item))) {
            auto state = std::make_shared<ElementState>();
            state->values = valuesKept ? kept.state->values
                                       : SetSnapshot::capture(set, item ? &modelLists() : nullptr);
            if (item)
                takeItemState(*state, item);
            if (!kept.state || !(*kept.state == *state))
                kept.state = state;
            kept.revision = set->revision();
        }
        captured.m_elements.append({element, kept.state});
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
        // An element whose set has not changed since it was last captured
        // in exactly this state holds these values already.
        DiagramItem *held = asDiagramItem(element.first);
        Wire *heldWire = held ? nullptr : asWire(element.first);
        const auto kept = cache.elements.constFind(element.first);
        if (kept != cache.elements.constEnd() && kept->state == element.second) {
            const QtnPropertySet *set = held ? held->propertySet() : heldWire->propertySet();
            if (kept->revision == set->revision()
                && (held ? sameItemState(*element.second, held) : wireTypesKept))
                continue;
        }
        const ElementState &state = *element.second;
        state.values.apply(&modelLists());
        if (DiagramItem *item = asDiagramItem(element.first)) {
            item->setLastModelText(state.lastModelText);
            item->setToolTip(state.toolTip);
            item->setModelMissing(state.modelMissing);
            item->setSlotOverflow(state.slotOverflow);
            item->setLowVoltage(state.lowVoltage);
            item->setExtenderRequired(state.extenderRequired);
            restoreWireOrder(item, state.wires);
            item->update();
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
