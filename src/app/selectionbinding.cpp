#include "app/selectionbinding.h"

#include "app/mainwindow.h"
#include "calc/backupbattery.h"
#include "calc/calcloop.h"
#include "calc/networkcalc.h"
#include "catalogue/catalogue.h"
#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "diagram/wire.h"
#include "log/moxlog.h"
#include "print/projectdoc.h"
#include "property/widget/qtnpropertywidget.h"
#include "propertysets/moxenums.h"
#include "propertysets/qtnpropertysetcamera.h"
#include "propertysets/qtnpropertysetpd.h"
#include "propertysets/qtnpropertysetproject.h"
#include "propertysets/qtnpropertysetwire.h"

#include <QFile>
#include <QGraphicsLineItem>

namespace {

// One guard for the whole process: the calculation writes result properties
// of the shown set, which come straight back into updateScene through the
// set's announcement; such nested calls must not start another loop.
bool g_updateGuard = false;
SelectionBinding::Counters g_counters;

// A cable this long gets a repeater point: PoE is specified for 100 m.
const uint kLongCable = 100;

DiagramItem *asDiagramItem(QGraphicsItem *item)
{
    return item && item->type() == DiagramItem::Type ? static_cast<DiagramItem *>(item) : nullptr;
}

Wire *asWire(QGraphicsItem *item)
{
    return item && item->type() == Wire::Type ? static_cast<Wire *>(item) : nullptr;
}

} // namespace

SelectionBinding::SelectionBinding(MainWindow *window)
    : QObject(window)
    , m_window(window)
{
    setObjectName(QStringLiteral("selectionBinding"));
}

SelectionBinding::~SelectionBinding() = default;

SelectionBinding *SelectionBinding::of(MainWindow *window)
{
    auto *binding = window->findChild<SelectionBinding *>(QString(), Qt::FindDirectChildrenOnly);
    return binding ? binding : new SelectionBinding(window);
}

const SelectionBinding::Counters &SelectionBinding::counters()
{
    return g_counters;
}

void SelectionBinding::resetCounters()
{
    g_counters = Counters();
}

bool SelectionBinding::guardActive()
{
    return g_updateGuard;
}

QtnPropertySet *SelectionBinding::displayedSet() const
{
    return m_window->propertyWidget()->propertySet();
}

void SelectionBinding::showSet(QtnPropertySet *set)
{
    m_window->propertyWidget()->setPropertySet(set);
}

void SelectionBinding::selectionChanged()
{
    // Only our own receiver goes: the dock and the battery rules keep theirs.
    if (m_connectedSet)
        disconnect(m_connectedSet, &QtnPropertyBase::propertyDidChange, m_window, &MainWindow::updateScene);
    if (QtnPropertySet *shown = displayedSet())
        disconnect(shown, &QtnPropertyBase::propertyDidChange, m_window, &MainWindow::updateScene);
    m_connectedSet = nullptr;

    DiagramScene *scene = m_window->scene();
    const QList<QGraphicsItem *> selected = scene->selectedItems();
    if (selected.size() == 1) {
        QGraphicsItem *item = selected.first();
        if (DiagramItem *diagramItem = asDiagramItem(item)) {
            showSet(diagramItem->propertySet());
            if (diagramItem->diagramType() == DiagramItem::PD && diagramItem->slotOverflow()) {
                if (diagramItem->pdSet()->Model.value() == MoxEnums::NotSpecified)
                    m_window->addNewPdWhenOverflowSlotsCountPD(diagramItem);
                removeStrayLines();
            }
        } else if (Wire *wire = asWire(item)) {
            showSet(wire->propertySet());
        }
    } else {
        showSet(scene->projectSet());
    }

    m_connectedSet = displayedSet();
    if (m_connectedSet)
        // Unique: the overflow question above may have run a nested
        // selection change that connected the same set already.
        connect(m_connectedSet, &QtnPropertyBase::propertyDidChange, m_window, &MainWindow::updateScene,
                Qt::UniqueConnection);
    emit displayedSetChanged(m_connectedSet);

    m_window->updateScene(nullptr, nullptr, QtnPropertyChangeReasonNewValue);
}

// A modal question asked while a cable was being drawn swallows the mouse
// release, so the rubber-band line of the scene can stay behind. The sheet's
// frame and title block are plain lines too; only the rubber band goes.
void SelectionBinding::removeStrayLines()
{
    DiagramScene *scene = m_window->scene();
    QGraphicsLineItem *rubberBand = scene->rubberBandLine();
    if (rubberBand && rubberBand->scene() == scene) {
        qCDebug(MoxLog::app) << "linia";
        // The scene still owns the pointer and deletes it at the next drag.
        scene->removeItem(rubberBand);
    }
}

void SelectionBinding::updateScene(const QtnPropertyBase *changedProperty,
                                   const QtnPropertyBase *firedProperty, QtnPropertyChangeReason reason)
{
    ++g_counters.calls;
    firstHalf(changedProperty, firedProperty, reason);
    if (g_updateGuard)
        return;
    g_updateGuard = true;
    ++g_counters.secondHalves;
    secondHalf();
    g_updateGuard = false;
}

void SelectionBinding::firstHalf(const QtnPropertyBase *changedProperty, const QtnPropertyBase *firedProperty,
                                 QtnPropertyChangeReason reason)
{
    if (reason != 0) {
        m_window->projectDoc()->setModified(true);
        if (QFile *file = m_window->projectFile())
            m_window->setWindowTitle(MainWindow::tr("MOX NORVANTE") + QStringLiteral(" - [")
                                     + file->fileName() + QStringLiteral("]*"));
    }
    if (reason != QtnPropertyChangeReasonNewValue)
        return;

    qCDebug(MoxLog::app) << "m_bUpdateProperties" << (m_window->m_bUpdateProperties ? "true" : "false");
    qCDebug(MoxLog::app) << "pb1" << (changedProperty ? changedProperty->name() : QString());
    qCDebug(MoxLog::app) << "pb2" << (firedProperty ? firedProperty->name() : QString());
    if (!firedProperty)
        return;

    const QString firedName = firedProperty->name();
    if (firedName == QLatin1String("Camera")) {
        if (changedProperty && changedProperty->name() == QLatin1String("Model")) {
            auto *camera = qobject_cast<QtnPropertySetCamera *>(const_cast<QtnPropertyBase *>(firedProperty));
            if (camera) {
                qCDebug(MoxLog::app) << "select * from camera" << Catalogue::displayText(camera->Model);
                // A model missing from the catalogue leaves the hand-entered figures alone.
                Catalogue::applyCameraModel(*camera);
            }
        }
    } else if (firedName == QLatin1String("Wire")) {
        m_window->m_bUpdateProperties = true;
    } else if (firedName == QLatin1String("Project")) {
        applyProjectColours(m_window->scene());
    }
}

void SelectionBinding::secondHalf()
{
    releaseRetiredWires();
    DiagramScene *scene = m_window->scene();
    const QList<QGraphicsItem *> selected = scene->selectedItems();
    if (selected.size() == 1) {
        DiagramItem *item = asDiagramItem(selected.first());
        Wire *wire = asWire(selected.first());
        if (item && item->diagramType() == DiagramItem::PD) {
            updatePointFigures(item);
        } else if (wire) {
            qCDebug(MoxLog::app) << "Wire zmiana danych";
            if (wire->propertySet()->UintLenght.value() >= kLongCable)
                splitWire(wire);
        }
    } else {
        m_window->projectDoc()->updateTitleBlock();
    }

    {
        // The calculation and whatever follows it (the PoE check) see one
        // catalogue, looked at once.
        Catalogue::Pass catalogue;
        CalcLoop loop(scene, &m_window->m_bUpdateProperties);
        g_counters.passes += loop.run(m_settled);
        emit calculated();
    }

    // Only the items that show something else now are painted again: the
    // calculation rewrites voltages all over the sheet, most of which show
    // nowhere, and a repaint of the whole view costs more than all the rest
    // of an edit.
    for (DiagramItem *item : NetworkCalc::diagramItems(scene))
        item->updateIfShownChanged();
}

// Load totals and battery figures of the selected point.
void SelectionBinding::updatePointFigures(DiagramItem *point)
{
    QtnPropertySetPD *set = point->pdSet();
    set->AdvancedPD.OutBitrate.setValue(uint(qMax(0, point->totalBitrate())));
    const int totalPower = point->totalPower();
    set->AdvancedPD.OutPower.setValue(uint(qMax(0, totalPower)));

    if (set->Backup.value() != MoxEnums::Yes)
        return;
    if (set->Calculate.value() == MoxEnums::Yes)
        set->BatterySet.setValue(BackupBattery::capacity(totalPower, set->BatteryCount.value()));
    else
        set->BatteryCount.setValue(BackupBattery::backupTime(totalPower, set->BatterySet.value()));
}

// A cable of 100 m or more cannot carry PoE: a distribution point fed over
// PoE is put into it as a repeater, 100 units right of the camera end.
void SelectionBinding::splitWire(Wire *wire)
{
    ++g_counters.splits;
    emit cableSplitting(wire);
    DiagramScene *scene = m_window->scene();
    ProjectDoc *doc = m_window->projectDoc();

    auto *point = new DiagramItem(DiagramItem::PD, m_window->itemMenu());
    point->setPos(0, 0);
    DiagramItem *start = wire->startItem();
    DiagramItem *end = wire->endItem();
    start->removeWire(wire);
    end->removeWire(wire);

    QPointF anchor(0, 0);
    if (start->diagramType() == DiagramItem::Camera)
        anchor = start->pos();
    if (end->diagramType() == DiagramItem::Camera)
        anchor = end->pos();
    point->setPos(anchor.x() + 100, anchor.y());
    point->setPower230(false);
    point->setColor(QColor(scene->colorPD()));

    // Leaving the scene drops the wire from the selection; the scene's signal
    // re-enters here and does only the bookkeeping half.
    scene->removeItem(wire);
    if (m_wireKeeper)
        m_wireKeeper(wire);
    else
        m_retiredWires.emplace_back(wire);

    const QColor wireColour(scene->colorWires());
    auto *wireA = new Wire(start, point);
    auto *wireB = new Wire(point, end);
    for (Wire *fresh : {wireA, wireB}) {
        fresh->setColor(wireColour);
        fresh->setZValue(-1000.0);
    }
    point->addWire(wireA);
    start->addWire(wireA);
    point->addWire(wireB);
    end->addWire(wireB);

    scene->addItem(point);
    scene->addItem(wireA);
    scene->addItem(wireB);
    for (Wire *fresh : {wireA, wireB}) {
        fresh->updatePosition();
        if (doc->wiresHidden())
            fresh->hide();
    }
    emit cableSplit(wire, point, wireA, wireB);

    m_window->selectionChanged();
}

void SelectionBinding::releaseRetiredWires()
{
    // Only sets that are no longer shown or connected may go.
    QtnPropertySet *shown = displayedSet();
    for (auto it = m_retiredWires.begin(); it != m_retiredWires.end();) {
        if (static_cast<QtnPropertySet *>((*it)->propertySet()) == shown)
            ++it;
        else
            it = m_retiredWires.erase(it);
    }
}

void SelectionBinding::wireInserted(Wire *wire)
{
    if (m_window->projectDoc()->wiresHidden())
        wire->hide();
    wire->setColor(QColor(m_window->scene()->colorWires()));
    m_window->updateScene(nullptr, nullptr, QtnPropertyChangeReason());
}

void SelectionBinding::applyProjectColours(DiagramScene *scene)
{
    const QColor pdColour(scene->colorPD());
    const QColor cameraColour(scene->colorCameras());
    const QColor wireColour(scene->colorWires());
    const QList<QGraphicsItem *> items = scene->items();
    for (QGraphicsItem *item : items) {
        if (DiagramItem *diagramItem = asDiagramItem(item))
            diagramItem->setColor(diagramItem->diagramType() == DiagramItem::PD ? pdColour : cameraColour);
        else if (Wire *wire = asWire(item))
            wire->setColor(wireColour);
    }
}
