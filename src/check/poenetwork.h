#ifndef CHECK_POENETWORK_H
#define CHECK_POENETWORK_H

#include "check/poecable.h"
#include "check/poestandard.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QVector>

#include <vector>

class DiagramItem;
class QGraphicsItem;
class QGraphicsScene;
class Wire;

// The drawn network as the PoE check sees it, and its exact solution: who
// feeds whom over which cable, and the voltage and load of every point.
//
// A mains-fed point's ports give a fixed source voltage. A point fed over
// PoE passes on what reaches it, and draws its own consumption plus
// everything its ports give, cable losses included. That load depends on the
// voltage it passes on, and that voltage on the load, so the chain is solved
// by repeating "loads from the leaves up, voltages from the mains down" until
// nothing moves. The voltages start from the highest they can be and only
// fall, the loads only rise: a cable that collapses on the way collapses for
// good, and the points behind it are cut off.
class PoeNetwork
{
public:
    // Asks QGraphicsScene::items() for its items as its index holds them:
    // the scene skips the stacking-order sort, which would cost more than
    // the whole check (a scene that sorts anyway only costs time).
    static constexpr Qt::SortOrder AnyOrder = Qt::SortOrder(-1);

    struct CableType
    {
        QString name;
        int awg = PoeCable::WorstCommonAwg; // the gauge the figures are worked with
        int catalogueAwg = 0;               // as the catalogue gave it; 0 for none
        bool assumed = false;               // the catalogue gave no usable gauge
        double ohmsPerMetre = 0.0;
    };

    struct Point
    {
        DiagramItem *item = nullptr;
        bool mains = false;
        int feeder = -1;           // index of the point feeding it over PoE
        Wire *wire = nullptr;      // its cable from the feeder
        double length = 0.0;
        int cableType = -1;
        double ohmsPerMetre = 0.0;
        QVector<int> dependants;   // points it feeds over PoE
        QVector<int> cameras;
        bool reached = false;      // power reaches it from a mains point through the tree
        bool cutOff = false;       // a cable above it collapsed
        bool collapsed = false;    // its own cable collapsed
        bool fourPairs = false;    // its load has needed more than two pairs give
        double voltage = 0.0;      // what its ports give, V
        double load = 0.0;         // what it draws at its input (fed over PoE), W
        double ports = 0.0;        // what its ports give together, W
        double cameraPorts = 0.0;  // the part its cameras take
        double cameraPortsAt = -1.0; // the voltage cameraPorts was worked for
        PoeCable supply;           // its own cable, as last solved

        // Voltage reaches its ports.
        bool live() const { return (mains || reached) && !cutOff && !collapsed && voltage > 0.0; }
        // The class of its load. A point that has once needed four pairs keeps
        // them (and a four-pair class): losing the lower loss of four pairs
        // could push it back over the two-pair limit, round in circles.
        int poeClass() const;
    };

    struct Camera
    {
        DiagramItem *item = nullptr;
        Wire *wire = nullptr;      // its one cable, when it leads to a point
        double length = 0.0;
        int cableType = -1;
        double ohmsPerMetre = 0.0;
        int point = -1;            // the point feeding it
        double power = 0.0;
        int poeClass = PoeStandard::NoClass;
        int pairs = 4;
        // Its cable as last solved, and the voltage it was solved for.
        mutable PoeCable cable;
        mutable double cableAt = -1.0;
    };

    // The scene's elements in stacking order, bottom first.
    struct Element
    {
        enum Kind { CableElement, CameraElement, PointElement };
        Kind kind;
        int index;                 // into wires(), cameras() or points()
    };

    // Reads the scene: its power tree must be current (the calculation
    // loop builds it).
    PoeNetwork(const QGraphicsScene *scene, double sourceVoltage);

    // Solves the voltages and loads; false when they did not settle within
    // maxIterations (each point keeps its last figures).
    bool solve(double settled, int maxIterations);

    // The exact figures of a camera's cable at its point's present voltage.
    PoeCable cameraCable(const Camera &camera) const;

    const std::vector<Point> &points() const { return m_points; }
    const std::vector<Camera> &cameras() const { return m_cameras; }
    const std::vector<Wire *> &wires() const { return m_wires; }
    const std::vector<Element> &elements() const { return m_elements; }
    const QVector<CableType> &cableTypes() const { return m_cableTypes; }
    // Points fed over PoE that power reaches, every feeder before its dependants.
    const QVector<int> &treeOrder() const { return m_treeOrder; }

private:
    int cableTypeOf(const Wire *wire);
    void readGauges();
    double cameraPort(const Camera &camera, double volts) const;
    double dependantPort(const Point &dependant, double volts) const;
    void collect(const QGraphicsScene *scene);
    void orderTree();

    double m_sourceVoltage;
    std::vector<Point> m_points;
    std::vector<Camera> m_cameras;
    std::vector<Wire *> m_wires;
    std::vector<Element> m_elements;
    QVector<CableType> m_cableTypes;
    QHash<int, int> m_cableTypeByValue; // the cable type list's value -> m_cableTypes
    int m_lastCableValue = 0;
    int m_lastCableType = -1;
    QVector<int> m_treeOrder;
    QVector<int> m_leavesFirst;         // m_treeOrder reversed, then the mains points
};

#endif // CHECK_POENETWORK_H
