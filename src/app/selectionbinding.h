#ifndef APP_SELECTIONBINDING_H
#define APP_SELECTIONBINDING_H

#include "calc/calcloop.h"
#include "property/core/qtnpropertystate.h"

#include <QList>
#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>
#include <vector>

class DiagramItem;
class DiagramScene;
class MainWindow;
class QtnPropertyBase;
class QtnPropertySet;
class Wire;

// The glue between the drawing, the property dock and the calculation: it
// decides which set the dock shows, keeps exactly one connection from that set
// to MainWindow::updateScene, and turns every change into an update of the
// drawing followed by the calculation loop.
//
// One binding lives as a child of its window (created on first use), so it
// needs no place in the window's constructor.
class SelectionBinding : public QObject
{
    Q_OBJECT

public:
    // Figures of the process-wide bookkeeping, for diagnostics and tests.
    struct Counters {
        int calls = 0;        // every updateScene call
        int secondHalves = 0; // calls that got past the re-entrancy guard
        int passes = 0;       // calculation passes made
        int splits = 0;       // cables replaced by a repeater point
    };

    static SelectionBinding *of(MainWindow *window);
    ~SelectionBinding() override;

    void selectionChanged();
    void updateScene(const QtnPropertyBase *changedProperty, const QtnPropertyBase *firedProperty,
                     QtnPropertyChangeReason reason);
    void wireInserted(Wire *wire);

    // Every item and wire takes its colour from the project set.
    static void applyProjectColours(DiagramScene *scene);

    // The set the dock shows right now (null if the shown set was destroyed).
    QtnPropertySet *displayedSet() const;

    static const Counters &counters();
    static void resetCounters();
    // True only while the second half of the outermost updateScene runs.
    static bool guardActive();

    // The wire a cable split takes out goes to the keeper, which owns it from
    // then on (the history of edits, which may put it back); without one it
    // is destroyed once no panel shows its set any more.
    void setWireKeeper(const std::function<void(Wire *)> &keeper) { m_wireKeeper = keeper; }

signals:
    // The set the dock shows now and whose changes drive the drawing.
    void displayedSetChanged(QtnPropertySet *set);
    // A cable of 100 m or more is about to get a repeater point, and has got it.
    void cableSplitting(Wire *wire);
    void cableSplit(Wire *oldWire, DiagramItem *point, Wire *wireA, Wire *wireB);
    // The calculation loop has just settled (before the repaint): whatever
    // shows figures derived from the calculation refreshes now.
    void calculated();

private:
    explicit SelectionBinding(MainWindow *window);

    void showSet(QtnPropertySet *set);
    void removeStrayLines();
    void firstHalf(const QtnPropertyBase *changedProperty, const QtnPropertyBase *firedProperty,
                   QtnPropertyChangeReason reason);
    void secondHalf();
    void updatePointFigures(DiagramItem *point);
    void splitWire(Wire *wire);
    void releaseRetiredWires();

    MainWindow *m_window;
    QPointer<QtnPropertySet> m_connectedSet;
    // Wires taken out by a cable split. The split runs inside the change
    // announcement of the wire's own set (the dock's editor is still on the
    // stack), so the wire and its set are destroyed only later.
    std::vector<std::unique_ptr<Wire>> m_retiredWires;
    std::function<void(Wire *)> m_wireKeeper;
    // The last calculation loop, if it changed nothing.
    CalcLoop::Settled m_settled;
};

#endif // APP_SELECTIONBINDING_H
