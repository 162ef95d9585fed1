#include "undo/sheetvalues.h"

#include "catalogue/catalogue.h"
#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "diagram/wire.h"
#include "property/core/qtnenuminfo.h"
#include "property/core/qtnpropertyenum.h"
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

} // namespace

void SheetValues::Cache::clear()
{
    elements.clear();
    project.reset();
}

SheetValues SheetValues::capture(DiagramScene *scene, Cache &cache)
{
    SheetValues captured;
    const QList<QGraphicsItem *> items = scene->items(Qt::AscendingOrder);
    captured.m_elements.reserve(items.size());
    for (QGraphicsItem *element : items) {
        auto state = std::make_shared<ElementState>();
        if (DiagramItem *item = asDiagramItem(element)) {
            state->values = SetSnapshot::capture(item->propertySet(), &modelLists());
            state->lastModelText = item->lastModelText();
            state->toolTip = item->toolTip();
            state->modelMissing = item->modelMissing();
            state->slotOverflow = item->slotOverflow();
            state->lowVoltage = item->lowVoltage();
            state->extenderRequired = item->extenderRequired();
            state->wires = item->wires();
        } else if (Wire *wire = asWire(element)) {
            state->values = SetSnapshot::capture(wire->propertySet());
        } else {
            continue;
        }
        std::shared_ptr<const ElementState> &kept = cache.elements[element];
        if (!kept || !(*kept == *state))
            kept = state;
        captured.m_elements.append({element, kept});
    }

    const SetSnapshot project = SetSnapshot::capture(scene->projectSet());
    if (!cache.project || *cache.project != project)
        cache.project = std::make_shared<const SetSnapshot>(project);
    captured.m_project = cache.project;
    return captured;
}

void SheetValues::apply(DiagramScene *scene) const
{
    for (const auto &element : m_elements) {
        if (element.first->scene() != scene)
            continue;
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
