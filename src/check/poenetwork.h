#ifndef CHECK_POENETWORK_H
#define CHECK_POENETWORK_H

#include "check/poeaddresstable.h"
#include "check/poecable.h"
#include "check/poestandard.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QVector>

#include <utility>
#include <vector>

class DiagramItem;
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
//
// The network falls apart into supply groups that share no current: a
// mains point with every point it feeds over PoE and their cameras, or a
// point that no mains power reaches, alone with its cameras. Each group is
// solved on its own, so an edit costs the solution of its group only.
class PoeNetwork
{
public:
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
        int element = -1;          // index into elements()
        bool mains = false;
        int feeder = -1;           // index of the point feeding it over PoE
        Wire *wire = nullptr;      // its cable from the feeder
        double length = 0.0;
        int cableType = -1;
        double ohmsPerMetre = 0.0;
        QVector<int> dependants;   // points it feeds over PoE
        QVector<int> cameras;
        int uplink = -1;           // index of the point its data goes to
        int group = -1;
        bool reached = false;      // power reaches it from a mains point through the tree

        // The solution.
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
        // Fed over PoE from a mains point.
        bool fed() const { return !mains && reached; }
        // The class of its load. A point that has once needed four pairs keeps
        // them (and a four-pair class): losing the lower loss of four pairs
        // could push it back over the two-pair limit, round in circles.
        int poeClass() const;
    };

    struct Camera
    {
        DiagramItem *item = nullptr;
        int element = -1;
        Wire *wire = nullptr;      // its one cable, when it leads to a point
        double length = 0.0;
        int cableType = -1;
        double ohmsPerMetre = 0.0;
        int point = -1;            // the point feeding it
        double power = 0.0;
        int bitrate = 0;           // kbit/s
        int poeClass = PoeStandard::NoClass;
        int pairs = 4;
        // Its cable as last solved, and the voltage it was solved for.
        mutable PoeCable cable;
        mutable double cableAt = -1.0;
    };

    // A camera or a distribution point, in the order of the drawing. A
    // camera taken away amid the drawing may leave a hole: an element (and
    // a camera record) without an item, kept so that nothing after it moves,
    // until the network is read anew.
    struct Element
    {
        enum Kind { CameraElement, PointElement };
        Kind kind;
        int index;                 // into cameras() or points()
        DiagramItem *item = nullptr; // null for a hole
        quint64 serial = 0;        // the item's, to know it again
        int firstCable = 0;        // the cables drawn from it: cables()[firstCable] on
        int drawnCables = 0;
        int ownCable = -1;         // the cable drawn from another element whose remarks go with it
    };

    // A cable of the drawing and the element its remarks go with: the
    // device it feeds, or else the item it was drawn from. A range of
    // cables that lost some keeps its length: the rest of it is dead (no
    // wire, no owner).
    struct Cable
    {
        Wire *wire = nullptr;
        quint64 serial = 0;        // the wire's, to know it again
        int owner = -1;            // index into elements()
        int start = -1;            // its ends, indexes into elements()
        int end = -1;
    };

    // A mains point and the points it feeds, or a point no power reaches.
    struct Group
    {
        int root = -1;
        QVector<int> fed;          // the points it feeds, every feeder before its dependants
        bool settled = true;       // the last solution settled
    };

    // Reads the items (every camera and distribution point of a scene, in
    // the order of the drawing) and their cables, with the gauges of the
    // catalogue's cable types (kept, for types met later). Their power and
    // data trees must be current: the calculation loop builds them.
    PoeNetwork(const QVector<DiagramItem *> &items, double sourceVoltage, const QHash<QString, int> &awgs);

    // What a change of the drawing's shape did, as reshape() found it.
    struct Reshaped
    {
        // Per element, point, camera and cable: its index before, or -1
        // for one that is new or was read again from its item.
        QVector<int> elementFrom;
        QVector<int> pointFrom;
        QVector<int> cameraFrom;
        QVector<int> cableFrom;
        // Per point before: its index now, or -1.
        QVector<int> pointTo;
        // Groups whose points, cables or cameras changed: their solutions
        // are void until solved again.
        QVector<int> groups;
        // Points whose place in the trees or whose cables changed, and the
        // points their data went to before.
        QVector<int> points;
        // Cameras read again from their items.
        QVector<int> cameras;
        // Elements read again from their items (new ones included), in order.
        QVector<int> reread;
        // In place: the records kept keep their order and come first, the
        // new ones after them; a kept record stands at its index before less
        // the number of records that went before it (none went before most:
        // a camera drawn, the last ones taken away). The elements and cables
        // below these counts are the kept ones (elements: or read again
        // there; cables: or written again, see rewrittenCables), all after
        // them are new (cables: copied or new). Then elementFrom and
        // cameraFrom are not written (goneElements and reread say all), nor
        // cableFrom below keptCables: a map over the whole drawing would cost
        // more than the change. Where records moved otherwise, keptElements
        // and keptCables count the elements and cables at the start that
        // stand where they stood (elements: or were read again there).
        bool inPlace = false;
        // In place: every point is fed as it was, and the groups stand.
        bool sameTrees = false;
        int keptElements = 0;
        int keptCables = 0;
        // The first element whose records or cables changed: the remarks
        // of those before it stand.
        int firstChanged = 0;
        // In place: the elements that went, by their index before, in order.
        // (A camera taken away amid the drawing mostly leaves a hole
        // instead: read again as a hole, it is in reread.)
        QVector<int> goneElements;
        // In place: cables below keptCables written again, the ranges of
        // touched elements whose cables still fit them (a wire, another
        // one, or none), in order.
        QVector<int> rewrittenCables;
        // In place: elements kept, besides those read again, whose remarks
        // may have changed: a cable of theirs changed hands, went, or was
        // written again (some more than once, in no order).
        QVector<int> remarked;

        // In place: takes the entries of the elements that went out of a
        // list kept per element, the rest moving down past them.
        template <typename List>
        void dropGone(List &list) const
        {
            if (goneElements.isEmpty())
                return;
            int to = goneElements.first();
            const int *gone = goneElements.cbegin();
            for (int e = to; e < int(list.size()); ++e) {
                if (gone != goneElements.cend() && *gone == e) {
                    ++gone;
                    continue;
                }
                list[to++] = std::move(list[e]);
            }
            list.resize(to);
        }
    };

    // The items of the drawing as they stand against the elements read
    // last: per item its element, or -1 for an item that is new (or
    // another item at a known one's address). False when the elements that
    // stayed are no longer in the order of the drawing. unchanged: how
    // many items at the start map to their own index.
    // What match() saw of the elements that went, on the way.
    struct Matched
    {
        int kept = 0;           // items before the first that is no element
        bool newLast = true;    // every item that is no element comes after all that are
        bool pointGone = false; // a point went
        bool goneAmid = false;  // an element went before one that stayed
        QVector<int> gone;      // the elements (not holes) no item is, in order
    };
    bool match(const QVector<DiagramItem *> &items, QVector<int> *from, int *unchanged,
               Matched *matched = nullptr) const;
    // Reads the network again after a change of its shape, items as for
    // the constructor and matched by match(), or at the indexes of the
    // elements they are with a hole (null) where a camera went amid the
    // drawing (and where there was one), the new ones after them. False,
    // and nothing done, when the change needs the records moved one by one
    // while the network has holes: then it must be read anew. The elements
    // marked touched (new, another wire list, another place in the trees,
    // mains) and their neighbours, old and new, are read from their items;
    // every other keeps what it was read and solved as. The groups that changed are
    // formed again but not solved. The first unchanged items are known to
    // map to their own index; holesMade, where given, lists the cameras
    // (by element) that went amid the drawing now and hold a hole among
    // them (else they are looked for after the unchanged ones).
    bool reshape(const QVector<DiagramItem *> &items, const QVector<int> &from, int unchanged, QVector<bool> touched,
                 Reshaped *out, const QVector<int> &holesMade = QVector<int>());

    // Reads again what an edit of an element or of its supply cable may
    // change without changing who is joined to whom: a camera's power and
    // bitrate, the length and type of its cable or of a point's supply cable.
    // Returns what changed: most edits of a set are the calculation's own
    // figures written into it, and change none of these.
    enum Reread { NothingRead = 0, SupplyRead = 1, BitrateRead = 2 };
    int reread(int element);
    // Solves the group from scratch; false when it did not settle within
    // maxIterations (each point keeps its last figures).
    bool solve(int group, double settled, int maxIterations);

    // The exact figures of a camera's cable at its point's present voltage.
    PoeCable cameraCable(const Camera &camera) const;

    const std::vector<Point> &points() const { return m_points; }
    const std::vector<Camera> &cameras() const { return m_cameras; }
    const std::vector<Element> &elements() const { return m_elements; }
    const std::vector<Cable> &cables() const { return m_cables; }
    const std::vector<Group> &groups() const { return m_groups; }
    const QVector<CableType> &cableTypes() const { return m_cableTypes; }
    // The index of a distribution point in points(); -1 for anything else.
    int pointOf(const DiagramItem *item) const;
    // The index of an item's element in elements(); -1 for one not read.
    int elementOf(const DiagramItem *item) const;
    // The index of a wire in cables(); -1 for one not read.
    int cableOf(const Wire *wire) const;
    // Holes left among the elements, and dead cables.
    int holes() const { return m_deadElements; }
    int deadCables() const { return m_deadCables; }

private:
    int cableTypeOf(const Wire *wire);
    void readGauge(CableType &type) const;
    double cameraPort(const Camera &camera, double volts) const;
    double dependantPort(const Point &dependant, double volts) const;
    // True when its bitrate changed.
    bool readCamera(Camera &camera);
    void readSupply(Point &point);
    void collect(const QVector<DiagramItem *> &items);
    void readPoint(Point &point);
    void readCameraWire(int index);
    void drawCables(int element);
    int cableOwner(const Cable &cable) const;
    // A wire drawn from element start, with its far end and owner.
    Cable cableFrom(Wire *wire, int start) const;
    void linkLists();
    void formGroups();
    friend class PoeReshaper;
    friend class PoeInPlaceReshaper;

    double m_sourceVoltage;
    const QHash<QString, int> *m_awgs;
    std::vector<Point> m_points;
    std::vector<Camera> m_cameras;
    std::vector<Element> m_elements;
    std::vector<Cable> m_cables;
    std::vector<Group> m_groups;
    QVector<CableType> m_cableTypes;
    PoeAddressTable m_elementOf; // element by item, filled once per reading
    void indexElements(const QVector<DiagramItem *> &items);
    // The records as they were before the last reshape() (of the elements
    // and cameras, those past the prefix that stayed), for their memory.
    struct
    {
        std::vector<Element> elements;
        std::vector<Point> points;
        std::vector<Camera> cameras;
        std::vector<Cable> cables;
        std::vector<Group> groups;
    } m_spare;
    int m_deadElements = 0;
    int m_deadCables = 0;
    QHash<int, int> m_cableTypeByValue; // the cable type list's value -> m_cableTypes
    int m_lastCableValue = 0;
    int m_lastCableType = -1;
};

#endif // CHECK_POENETWORK_H
