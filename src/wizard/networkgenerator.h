#ifndef NETWORKGENERATOR_H
#define NETWORKGENERATOR_H

#include <QList>
#include <QString>

class DiagramItem;
class DiagramScene;
class QMenu;
class QtnPropertySetProject;
class Wire;

// Builds the starting network of a new project on a scene: one row of
// distribution points, each followed by the column block of its cameras,
// every camera wired to its point and the points chained to each other.
class NetworkGenerator
{
public:
    // Layout in scene units of the 1188 x 840 sheet.
    static constexpr int ColumnPitch = 80;
    static constexpr int LeftMargin = 50;
    static constexpr int PointRow = 50;
    static constexpr int FirstCameraRow = 150;
    static constexpr int CameraPitch = 80;
    // room kept free above the title block at the bottom of the sheet
    static constexpr int BottomReserve = 150;
    // each wrapped column drops a little so the bus lines of the columns
    // of one point do not lie on top of each other
    static constexpr int WrapStagger = 4;

    NetworkGenerator(DiagramScene *scene, QMenu *itemMenu);

    void setWiresHidden(bool hidden) { m_wiresHidden = hidden; }
    void setDescriptionsHidden(bool hidden) { m_descriptionsHidden = hidden; }

    // One entry per distribution point: its number of cameras.
    void generate(const QList<int> &camerasPerPoint);

    // What the last generate() created, in creation order.
    const QList<DiagramItem *> &points() const { return m_points; }
    const QList<DiagramItem *> &cameras() const { return m_cameras; }
    const QList<Wire *> &wires() const { return m_wires; }

    // Writes the investment data through the properties' setters, so every
    // change is announced, and turns the three element colours back to black
    // and the archive settings back to their defaults.
    static void applyProjectData(QtnPropertySetProject *project, const QString &name,
                                 const QString &address, const QString &comments,
                                 const QString &createDate);

private:
    Wire *connect(DiagramItem *start, DiagramItem *end, DiagramItem *firstOwner,
                  DiagramItem *secondOwner);

    DiagramScene *m_scene;
    QMenu *m_itemMenu;
    bool m_wiresHidden = false;
    bool m_descriptionsHidden = false;
    QList<DiagramItem *> m_points;
    QList<DiagramItem *> m_cameras;
    QList<Wire *> m_wires;
};

#endif // NETWORKGENERATOR_H
