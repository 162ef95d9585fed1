#include "undo/editrecorder.h"

#include "app/mainwindow.h"
#include "app/selectionbinding.h"
#include "calc/calcpass.h"
#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "diagram/wire.h"
#include "property/core/qtnpropertyset.h"
#include "undo/cablesplitcommand.h"
#include "undo/drawwirecommand.h"
#include "undo/movecommand.h"
#include "undo/placeitemcommand.h"
#include "undo/propertyeditcommand.h"
#include "undo/undohistory.h"

#include <QGraphicsSceneMouseEvent>

EditRecorder::EditRecorder(UndoHistory *history, MainWindow *window)
    : QObject(history)
    , m_history(history)
    , m_scene(window->scene())
{
    m_scene->installEventFilter(this);
    // Connected after the window's own slots: a placed item is prepared and
    // a drawn cable calculated by the time they are recorded.
    connect(m_scene, &DiagramScene::itemInserted, this, &EditRecorder::itemInserted);
    connect(m_scene, &DiagramScene::wireInserted, this, &EditRecorder::wireInserted);
    SelectionBinding *binding = SelectionBinding::of(window);
    connect(binding, &SelectionBinding::displayedSetChanged, this, &EditRecorder::watchSet);
    connect(binding, &SelectionBinding::cableSplitting, this, &EditRecorder::cableSplitting);
    connect(binding, &SelectionBinding::cableSplit, this, &EditRecorder::cableSplit);
}

EditRecorder::~EditRecorder()
{
    reset();
}

void EditRecorder::reset()
{
    disconnect(m_pendingDid);
    delete m_pending;
    m_pending = nullptr;
    m_pendingProperty = nullptr;
    m_pendingWills = m_pendingDids = 0;
    m_gesture = Gesture::None;
    m_gestureValues = SheetValues();
    m_gesturePositions.clear();
    m_splitValues = SheetValues();
    m_splitSuccessor = nullptr;
}

bool EditRecorder::calculating() const
{
    return SelectionBinding::guardActive() || CalcPass::current();
}

// ------------------------------------------------------------ property dock

void EditRecorder::watchSet(QtnPropertySet *set)
{
    if (set == m_watchedSet)
        return;
    disconnect(m_watch);
    m_watchedSet = set;
    if (set)
        m_watch = connect(set, &QtnPropertyBase::propertyWillChange, this,
                          [this](const QtnPropertyBase *changed, const QtnPropertyBase *, QtnPropertyChangeReason reason,
                                 QtnPropertyValuePtr) { propertyWillChange(changed, reason); });
}

// The beginnings of the edited property's announcements are counted where
// they are relayed by the shown set, which was listened to before the edit
// began; their ends are counted on the property itself, by a connection made
// now, after everyone else's: the end of the edit reaches this recorder last,
// when the rules, the window and the calculation are through with it. A
// receiver connected to a property while its change is being announced may or
// may not hear that very announcement, so nothing here depends on it.
void EditRecorder::propertyWillChange(const QtnPropertyBase *changedProperty, QtnPropertyChangeReason reason)
{
    if (m_pending && changedProperty == m_pendingProperty) {
        ++m_pendingWills;
        return;
    }
    if (!(reason & QtnPropertyChangeReasonNewValue) || !changedProperty)
        return;
    if (m_pending || !m_history->isRecording() || calculating() || !m_watchedSet)
        return;
    m_pending = new PropertyEditCommand(m_history, changedProperty);
    m_pending->setValuesBefore(m_history->captureValues());
    m_pendingProperty = changedProperty;
    m_pendingWills = 1;
    m_pendingDids = 0;
    m_pendingDid = connect(changedProperty, &QtnPropertyBase::propertyDidChange, this, [this] {
        if (++m_pendingDids == m_pendingWills)
            finishPropertyEdit();
    });
}

void EditRecorder::finishPropertyEdit()
{
    disconnect(m_pendingDid);
    PropertyEditCommand *command = m_pending;
    m_pending = nullptr;
    m_pendingProperty = nullptr;
    m_history->push(command);
}

// ------------------------------------------------------------ cable split

void EditRecorder::cableSplitting(Wire *wire)
{
    m_splitSuccessor = SheetCommand::successorOf(wire);
    if (!m_pending && m_history->isRecording())
        m_splitValues = m_history->captureValues();
}

void EditRecorder::cableSplit(Wire *oldWire, DiagramItem *point, Wire *wireA, Wire *wireB)
{
    const CableSplitCommand::Split split{oldWire, m_splitSuccessor, point, wireA, wireB};
    m_splitSuccessor = nullptr;
    if (m_pending) {
        new CableSplitCommand(m_history, split, m_pending);
        return;
    }
    if (!m_history->isRecording() || m_splitValues.isNull())
        return;
    auto *command = new CableSplitCommand(m_history, split);
    command->setValuesBefore(m_splitValues);
    m_splitValues = SheetValues();
    m_history->push(command);
}

// ------------------------------------------------------------ scene input

void EditRecorder::itemInserted(DiagramItem *item)
{
    if (!m_history->isRecording())
        return;
    auto *command = new PlaceItemCommand(m_history, item);
    command->setValuesBefore(m_history->captureValues());
    m_history->push(command);
}

void EditRecorder::wireInserted(Wire *wire)
{
    if (!m_history->isRecording())
        return;
    auto *command = new DrawWireCommand(m_history, wire);
    command->setValuesBefore(m_gestureValues.isNull() ? m_history->captureValues() : m_gestureValues);
    m_history->push(command);
}

// The values before a drag are taken when it starts moving: the press may
// have changed the selection, and with it the calculation, already.
void EditRecorder::beginGesture()
{
    m_gesture = Gesture::Dragging;
    m_gestureValues = m_history->captureValues();
    m_gesturePositions.clear();
    const QList<QGraphicsItem *> items = m_scene->items();
    for (QGraphicsItem *item : items) {
        if (item->type() == DiagramItem::Type)
            m_gesturePositions.insert(static_cast<DiagramItem *>(item), item->pos());
    }
}

void EditRecorder::finishMove()
{
    QList<MoveCommand::Step> steps;
    const QList<QGraphicsItem *> items = m_scene->items(Qt::AscendingOrder);
    for (QGraphicsItem *item : items) {
        if (item->type() != DiagramItem::Type)
            continue;
        auto *diagramItem = static_cast<DiagramItem *>(item);
        const auto from = m_gesturePositions.constFind(diagramItem);
        if (from != m_gesturePositions.constEnd() && from.value() != item->pos())
            steps.append({diagramItem, from.value(), item->pos()});
    }
    if (steps.isEmpty())
        return;
    auto *command = new MoveCommand(m_history, steps);
    command->setValuesBefore(m_gestureValues);
    m_history->push(command);
}

bool EditRecorder::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_scene)
        return false;
    const auto mode = m_scene->mode();
    switch (event->type()) {
    case QEvent::GraphicsSceneMousePress:
        if (static_cast<QGraphicsSceneMouseEvent *>(event)->button() == Qt::LeftButton) {
            m_gesture = Gesture::Pressed;
            m_gestureValues = SheetValues();
        }
        break;
    case QEvent::GraphicsSceneMouseMove:
        if (m_gesture == Gesture::Pressed && m_history->isRecording()
            && (static_cast<QGraphicsSceneMouseEvent *>(event)->buttons() & Qt::LeftButton)
            && mode != DiagramScene::InsertItem)
            beginGesture();
        break;
    case QEvent::GraphicsSceneMouseRelease:
        if (static_cast<QGraphicsSceneMouseEvent *>(event)->button() != Qt::LeftButton)
            break;
        // A cable drawn without a move in between still needs the values before it.
        if (m_gesture == Gesture::Pressed && mode == DiagramScene::InsertLine && m_history->isRecording())
            beginGesture();
        if (m_gesture == Gesture::Dragging && mode == DiagramScene::MoveItem && m_history->isRecording())
            finishMove();
        m_gesture = Gesture::Released;
        break;
    default:
        break;
    }
    return false;
}
