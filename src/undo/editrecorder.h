#ifndef UNDO_EDITRECORDER_H
#define UNDO_EDITRECORDER_H

#include "property/core/qtnpropertystate.h"
#include "undo/sheetvalues.h"

#include <QHash>
#include <QMetaObject>
#include <QObject>
#include <QPointF>
#include <QPointer>

class DiagramItem;
class DiagramScene;
class MainWindow;
class PropertyEditCommand;
class QtnPropertyBase;
class QtnPropertySet;
class UndoHistory;
class Wire;

// Turns what the user does into commands of the history, as it happens:
// - a click that places an item, a drag that draws a cable or moves items
//   (the scene's mouse input, watched through an event filter);
// - a value committed in the property dock: from the announcement that the
//   first property is about to change until that property's change has
//   been delivered to everyone (the set's rules, the window's update and
//   calculation, a cable split), which makes one command of all of it;
// - a cable split that selecting a long cable caused.
// Writes made by the calculation are never edits of the user: they come
// while the window's update guard is up or a calculation pass runs.
class EditRecorder : public QObject
{
public:
    EditRecorder(UndoHistory *history, MainWindow *window);
    ~EditRecorder() override;

    // Forgets a half-recorded edit (the project is being replaced).
    void reset();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum class Gesture { None, Pressed, Dragging, Released };

    void watchSet(QtnPropertySet *set);
    void propertyWillChange(const QtnPropertyBase *changedProperty, QtnPropertyChangeReason reason);
    void finishPropertyEdit();
    void itemInserted(DiagramItem *item);
    void wireInserted(Wire *wire);
    void cableSplitting(Wire *wire);
    void cableSplit(Wire *oldWire, DiagramItem *point, Wire *wireA, Wire *wireB);
    void beginGesture();
    void finishMove();
    bool calculating() const;

    UndoHistory *m_history;
    // The scene, not the window: a window destroyed while shown is closed by
    // its QWidget part, and the scene still hears of that (the view's
    // deactivation) when the MainWindow part is gone.
    DiagramScene *m_scene;

    QPointer<QtnPropertySet> m_watchedSet;
    QMetaObject::Connection m_watch;
    PropertyEditCommand *m_pending = nullptr;
    const QtnPropertyBase *m_pendingProperty = nullptr;
    // Announcements of the edited property begun and ended since the edit
    // began; the edit is over when every one begun has ended.
    int m_pendingWills = 0;
    int m_pendingDids = 0;
    QMetaObject::Connection m_pendingDid;

    Gesture m_gesture = Gesture::None;
    SheetValues m_gestureValues;
    QHash<DiagramItem *, QPointF> m_gesturePositions;

    SheetValues m_splitValues;
    QGraphicsItem *m_splitSuccessor = nullptr;
};

#endif // UNDO_EDITRECORDER_H
