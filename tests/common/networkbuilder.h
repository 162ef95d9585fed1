#ifndef TESTS_COMMON_NETWORKBUILDER_H
#define TESTS_COMMON_NETWORKBUILDER_H

#include <QPointF>

class DiagramItem;
class DiagramScene;
class QMenu;
class Wire;

// Builds small networks for tests: distribution points and cameras at given
// scene positions, joined by wires of given lengths, exactly as the scene
// joins them when the user draws a cable (both wire lists, z value, scene,
// position). Pairs are not checked against the drawing rules, so a test can
// also build shapes that the editor would refuse.
class NetworkBuilder
{
public:
    // Builds into a scene of its own, destroyed with the builder.
    NetworkBuilder();
    // Builds into the given scene, which the caller keeps.
    explicit NetworkBuilder(DiagramScene *scene, QMenu *itemMenu = nullptr);
    ~NetworkBuilder();

    NetworkBuilder(const NetworkBuilder &) = delete;
    NetworkBuilder &operator=(const NetworkBuilder &) = delete;

    DiagramScene *scene() const { return m_scene; }

    // A distribution point at pos; number 0 leaves the label "PD" alone.
    // mains = false switches "Zasilanie 230" to "nie" (fed over PoE).
    DiagramItem *addPd(const QPointF &pos, unsigned number = 0, bool mains = true);
    // A camera at pos with the given power [W] and bitrate [kbit/s].
    DiagramItem *addCamera(const QPointF &pos, unsigned number = 0, unsigned power = 8, int bitrate = 4096);
    // A wire from start to end, length in metres (1..200).
    Wire *connect(DiagramItem *start, DiagramItem *end, unsigned length = 50);

private:
    DiagramScene *m_scene;
    QMenu *m_itemMenu;
    bool m_ownsScene;
};

#endif // TESTS_COMMON_NETWORKBUILDER_H
