#ifndef UNDO_UNDOHISTORY_H
#define UNDO_UNDOHISTORY_H

#include "undo/sheetvalues.h"

#include <QObject>
#include <QSet>

#include <functional>

class DiagramItem;
class DiagramScene;
class EditRecorder;
class MainWindow;
class ProjectDoc;
class QAction;
class QGraphicsItem;
class QMenu;
class QMessageBox;
class QToolBar;
class QUndoStack;
class SheetCommand;

// The undo history of the project in the window: a QUndoStack of sheet
// commands, the actions "Cofnij" and "Ponów", and the elements that are off
// the sheet but may come back (deleted, undone, replaced by a split), which
// it owns until no command can bring them back.
//
// Edits are recorded once made: the EditRecorder watches the scene, the
// property dock and the cable split; the commands the window runs itself
// (delete, rotate, the overflow split) are made here. After every undo and
// redo the selection is cleared and the window's selection change runs the
// calculation loop as after any edit, which also marks the project modified.
// A project replaced (new, wizard, opened) starts an empty history; saving
// leaves it alone.
class UndoHistory : public QObject
{
    Q_OBJECT

public:
    explicit UndoHistory(MainWindow *window);
    ~UndoHistory() override;

    QUndoStack *stack() const { return m_stack; }
    QAction *undoAction() const { return m_undoAction; }
    QAction *redoAction() const { return m_redoAction; }
    // Puts the two actions at the end of a menu and of a tool bar, behind a separator.
    void appendActions(QMenu *menu, QToolBar *toolBar);

    void undo();
    void redo();
    // Forgets every command and destroys what only they kept.
    void clear();

    // While one lives nothing is recorded (loading, the wizard, the camera
    // import, and the history's own undo and redo).
    class Suspension
    {
    public:
        explicit Suspension(UndoHistory *history);
        ~Suspension();
        Suspension(const Suspension &) = delete;
        Suspension &operator=(const Suspension &) = delete;

    private:
        UndoHistory *m_history;
    };
    bool isRecording() const { return m_suspended == 0; }

    // The window's edits, recorded as they are made.
    void deleteSelection();
    void rotateSelected(bool right);
    // Asks the overflow question (through ask, which runs the box and
    // returns the button) and splits on "Tak"; true when split.
    bool splitOverflow(DiagramItem *item, const std::function<int(QMessageBox &)> &ask);

    // What the commands work with.
    DiagramScene *scene() const;
    ProjectDoc *doc() const;
    SheetValues captureValues();
    void applyValues(const SheetValues &values);
    // Off the sheet, kept by the history; back on the sheet right below
    // successor (on top of its kind without one), shown as the sheet's
    // hide flags say.
    void takeFromSheet(QGraphicsItem *element);
    void returnToSheet(QGraphicsItem *element, QGraphicsItem *successor = nullptr);
    // An element someone else took off the sheet, kept from now on.
    void keep(QGraphicsItem *element);
    // Records a change already made (the stack's first redo does nothing);
    // the command brings the values of the sheet before it.
    void push(SheetCommand *command);
    // Makes a change through the command, runs followUp as the window would
    // after that change, then records it.
    void perform(SheetCommand *command, const std::function<void()> &followUp = nullptr);

    // Elements off the sheet kept for possible return.
    int keptCount() const { return m_kept.size(); }

private:
    void settle();
    // The command whose change the sheet shows now (the next to undo).
    SheetCommand *current() const;
    void collectGarbage();
    void updateActions();

    MainWindow *m_window;
    QUndoStack *m_stack;
    QAction *m_undoAction;
    QAction *m_redoAction;
    EditRecorder *m_recorder;
    QSet<QGraphicsItem *> m_kept;
    SheetValues::Cache m_cache;
    int m_suspended = 0;
};

#endif // UNDO_UNDOHISTORY_H
