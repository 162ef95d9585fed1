#ifndef NETWORKCALC_H
#define NETWORKCALC_H

#include <QList>

class DiagramItem;
class DiagramScene;
class QGraphicsScene;

// The power and bandwidth calculation over a whole scene: the two trees, the
// model pass and the voltage pass. Everything here works on a bare scene, so
// the editor window, the order and the tests share one implementation.
class NetworkCalc
{
public:
    // The scene's diagram items, topmost first (the order every pass uses).
    static QList<DiagramItem *> diagramItems(const QGraphicsScene *scene);

    // Rebuild the power (data) tree of these points from scratch: clear the
    // lists, then link in passes over the points in the given order until a
    // pass links nothing.
    static void buildPowerTree(const QList<DiagramItem *> &points);
    static void buildDataTree(const QList<DiagramItem *> &points);

    // Trees, then for every point its enclosure list and its model.
    static void calcPD(QGraphicsScene *scene);
    // The same over the diagram items of a scene, topmost first, as
    // diagramItems gives them (a pass takes them once for all its steps).
    static void calcPD(const QList<DiagramItem *> &items);
    // Voltages and flags of every camera and every point; cameras twice, so
    // that a camera sees the output its point has just got. True when a
    // value changed (flags aside).
    static void calcVoltageDrop(QGraphicsScene *scene);
    static bool calcVoltageDrop(const QList<DiagramItem *> &items);
    // The voltage at one device.
    static void calcVin(DiagramItem *item);

    // Steps that provably change nothing are left out: a voltage pass after
    // one that changed nothing, a second round over the cameras when no
    // point's output changed, sorting an unchanged scene again, building the
    // trees again over unchanged wiring and roots, a model selection on
    // unchanged needs. With every step taken the calculation
    // runs as its definition reads: the reference the tests hold it to.
    static void setEveryStepTaken(bool every);
    static bool everyStepTaken();

private:
    static void calcVinCamera(DiagramItem *camera);
    static void calcVinPoint(DiagramItem *point);
};

#endif // NETWORKCALC_H
