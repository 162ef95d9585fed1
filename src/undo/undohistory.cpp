#include "undo/undohistory.h"

#include "app/mainwindow.h"
#include "app/selectionbinding.h"
#include "calc/pdsplitter.h"
#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "diagram/wire.h"
#include "print/projectdoc.h"
#include "property/widget/qtninplaceeditorhandler.h"
#include "undo/deletecommand.h"
#include "undo/editrecorder.h"
#include "undo/overflowsplitcommand.h"
#include "undo/rotatecommand.h"

#include <QAction>
#include <QMenu>
#include <QSignalBlocker>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QUndoStack>

UndoHistory::Suspension::Suspension(UndoHistory *history)
    : m_history(history)
{
    if (m_history)
        ++m_history->m_suspended;
}

UndoHistory::Suspension::~Suspension()
{
    if (m_history)
        --m_history->m_suspended;
}

UndoHistory::UndoHistory(MainWindow *window)
    : QObject(window)
    , m_window(window)
    , m_stack(new QUndoStack(this))
{
    setObjectName(QStringLiteral("undoHistory"));

    QStyle *style = window->style();
    m_undoAction = new QAction(QIcon::fromTheme(QStringLiteral("edit-undo"), style->standardIcon(QStyle::SP_ArrowBack)),
                               tr("Cofnij"), window);
    m_undoAction->setShortcut(QKeySequence(tr("Ctrl+Z")));
    connect(m_undoAction, &QAction::triggered, window, &MainWindow::undo);
    m_redoAction = new QAction(
            QIcon::fromTheme(QStringLiteral("edit-redo"), style->standardIcon(QStyle::SP_ArrowForward)),
            tr("Ponów"), window);
    m_redoAction->setShortcuts({QKeySequence(tr("Ctrl+Shift+Z")), QKeySequence(tr("Ctrl+Y"))});
    connect(m_redoAction, &QAction::triggered, window, &MainWindow::redo);
    connect(m_stack, &QUndoStack::indexChanged, this, &UndoHistory::updateActions);
    connect(m_stack, &QUndoStack::canUndoChanged, this, &UndoHistory::updateActions);
    connect(m_stack, &QUndoStack::canRedoChanged, this, &UndoHistory::updateActions);
    updateActions();

    m_recorder = new EditRecorder(this, window);
    SelectionBinding::of(window)->setWireKeeper([this](Wire *wire) { keep(wire); });
    connect(scene(), &DiagramScene::aboutToRemoveAllItems, this, &UndoHistory::clear);
}

// The sheet and everything on it are gone by now; only what was kept off
// the sheet is left to destroy.
UndoHistory::~UndoHistory()
{
    delete m_recorder;
    m_stack->blockSignals(true);
    m_stack->clear();
    qDeleteAll(m_kept);
}

void UndoHistory::appendActions(QMenu *menu, QToolBar *toolBar)
{
    menu->addSeparator();
    menu->addAction(m_undoAction);
    menu->addAction(m_redoAction);
    toolBar->addSeparator();
    toolBar->addAction(m_undoAction);
    toolBar->addAction(m_redoAction);
}

void UndoHistory::updateActions()
{
    const bool canUndo = m_stack->canUndo();
    const QString undoTip = canUndo ? tr("Cofnij: %1").arg(m_stack->undoText()) : tr("Cofnij");
    m_undoAction->setEnabled(canUndo);
    m_undoAction->setStatusTip(undoTip);
    m_undoAction->setToolTip(undoTip);
    const bool canRedo = m_stack->canRedo();
    const QString redoTip = canRedo ? tr("Ponów: %1").arg(m_stack->redoText()) : tr("Ponów");
    m_redoAction->setEnabled(canRedo);
    m_redoAction->setStatusTip(redoTip);
    m_redoAction->setToolTip(redoTip);
}

DiagramScene *UndoHistory::scene() const
{
    return m_window->scene();
}

ProjectDoc *UndoHistory::doc() const
{
    return m_window->projectDoc();
}

SheetValues UndoHistory::captureValues()
{
    return SheetValues::capture(scene(), m_cache);
}

void UndoHistory::applyValues(const SheetValues &values)
{
    values.apply(scene(), m_cache);
}

// An editor still open in the dock is committed first, so that its value is
// an edit of its own and not lost on a set that is about to leave the dock.
void UndoHistory::undo()
{
    qtnStopInplaceEdit(true);
    if (!m_stack->canUndo())
        return;
    const Suspension pause(this);
    SheetCommand *left = current();
    if (left && left->valuesAfter().isNull())
        left->setValuesAfter(captureValues());
    {
        const QSignalBlocker blocker(scene());
        m_stack->undo();
    }
    settle();
}

void UndoHistory::redo()
{
    qtnStopInplaceEdit(true);
    if (!m_stack->canRedo())
        return;
    const Suspension pause(this);
    {
        const QSignalBlocker blocker(scene());
        m_stack->redo();
    }
    settle();
}

// Nothing stays selected: selecting brings its own edits with it here (a
// long cable is split, an overflowing point asks to be split), and the
// calculation must see the state as it was, not what selecting adds to it.
void UndoHistory::settle()
{
    {
        const QSignalBlocker blocker(scene());
        scene()->clearSelection();
    }
    m_window->applyProjectColours();
    m_window->selectionChanged();
}

void UndoHistory::clear()
{
    m_recorder->reset();
    m_stack->clear();
    for (QGraphicsItem *element : qAsConst(m_kept)) {
        if (!element->scene())
            delete element;
    }
    m_kept.clear();
    m_cache.clear();
    // The sheet is being replaced: once the new one is in, and before the
    // first edit asks for it, every element is taken once while the user
    // looks at the freshly opened sheet, so that the first edit costs no
    // more than any other.
    QTimer::singleShot(0, this, [this] { captureValues(); });
}

void UndoHistory::takeFromSheet(QGraphicsItem *element)
{
    element->setSelected(false);
    if (element->scene())
        element->scene()->removeItem(element);
    m_kept.insert(element);
}

void UndoHistory::returnToSheet(QGraphicsItem *element, QGraphicsItem *successor)
{
    m_kept.remove(element);
    element->setSelected(false);
    scene()->addItem(element);
    if (successor && successor->scene() == scene())
        element->stackBefore(successor);
    if (element->type() == Wire::Type) {
        element->setVisible(!doc()->wiresHidden());
    } else if (element->type() == DiagramItem::Type) {
        auto *item = static_cast<DiagramItem *>(element);
        if (doc()->descriptionsHidden())
            item->hideDescription();
        else
            item->showDescription();
    }
}

void UndoHistory::keep(QGraphicsItem *element)
{
    if (element && !element->scene())
        m_kept.insert(element);
}

SheetCommand *UndoHistory::current() const
{
    const int index = m_stack->index();
    return index > 0 ? dynamic_cast<SheetCommand *>(const_cast<QUndoCommand *>(m_stack->command(index - 1)))
                     : nullptr;
}

// Redoing a command brings back the sheet as the user first left it: when
// the next edit began or the command was first undone. That includes what
// the calculation and the selection did after the edit itself (a model the
// calculation chose reads its catalogue bitrate one pass later, a selected
// point sizes its battery), so redone commands end where the user was.
void UndoHistory::push(SheetCommand *command)
{
    SheetCommand *left = current();
    if (left && left->valuesAfter().isNull())
        left->setValuesAfter(command->valuesBefore());
    command->skipFirstRedo();
    // Pushing after an undo drops the undone commands, and with them the
    // only way back for what they had taken off or put on the sheet.
    const bool dropsRedo = m_stack->index() < m_stack->count();
    m_stack->push(command);
    if (dropsRedo)
        collectGarbage();
}

void UndoHistory::perform(SheetCommand *command, const std::function<void()> &followUp)
{
    const Suspension pause(this);
    command->setValuesBefore(captureValues());
    {
        const QSignalBlocker blocker(scene());
        command->redo();
    }
    if (followUp)
        followUp();
    push(command);
}

void UndoHistory::collectGarbage()
{
    QSet<const QGraphicsItem *> used;
    for (int i = 0; i < m_stack->count(); ++i) {
        if (const auto *command = dynamic_cast<const SheetCommand *>(m_stack->command(i)))
            command->collectElements(used);
    }
    for (auto it = m_kept.begin(); it != m_kept.end();) {
        QGraphicsItem *element = *it;
        if (used.contains(element) || element->scene()) {
            ++it;
            continue;
        }
        m_cache.forget(element);
        delete element;
        it = m_kept.erase(it);
    }
}

// The window's delete: with the selection's items go the cables that end at
// them; the dock may have shown a set that left the sheet, so the selection
// change puts the project set there before the calculation runs.
void UndoHistory::deleteSelection()
{
    const QList<QGraphicsItem *> selected = scene()->selectedItems();
    const auto recalculate = [this] {
        m_window->updateScene(nullptr, nullptr, QtnPropertyChangeReason());
    };
    if (selected.isEmpty()) {
        recalculate();
        return;
    }
    auto *command = new DeleteCommand(this, selected);
    if (command->isEmpty()) {
        delete command;
        m_window->selectionChanged();
        recalculate();
        return;
    }
    perform(command, [this, recalculate] {
        m_window->selectionChanged();
        recalculate();
    });
}

void UndoHistory::rotateSelected(bool right)
{
    const QList<QGraphicsItem *> selected = scene()->selectedItems();
    if (selected.isEmpty())
        return;
    if (selected.first()->type() == DiagramItem::Type)
        perform(new RotateCommand(this, static_cast<DiagramItem *>(selected.first()), right));
    scene()->update();
}

bool UndoHistory::splitOverflow(DiagramItem *item, const std::function<int(QMessageBox &)> &ask)
{
    if (!PdSplitter::confirm(item, ask))
        return false;
    perform(new OverflowSplitCommand(this, item, m_window->itemMenu()));
    return true;
}
