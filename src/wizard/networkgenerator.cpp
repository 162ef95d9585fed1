#include "wizard/networkgenerator.h"

#include "catalogue/catalogue.h"
#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "diagram/wire.h"
#include "propertysets/qtnpropertysetproject.h"

#include <QColor>

NetworkGenerator::NetworkGenerator(DiagramScene *scene, QMenu *itemMenu)
    : m_scene(scene), m_itemMenu(itemMenu)
{
}

Wire *NetworkGenerator::connect(DiagramItem *start, DiagramItem *end, DiagramItem *firstOwner,
                                DiagramItem *secondOwner)
{
    Wire *wire = new Wire(start, end);
    firstOwner->addWire(wire);
    secondOwner->addWire(wire);
    if (m_wiresHidden)
        wire->hide();
    m_scene->addItem(wire);
    m_wires.append(wire);
    return wire;
}

void NetworkGenerator::generate(const QList<int> &camerasPerPoint)
{
    m_points.clear();
    m_cameras.clear();
    m_wires.clear();

    // Every camera and point created asks for its catalogue lists, which
    // cannot change while the network is generated.
    Catalogue::Pass catalogue;

    const double lowestCameraRow = m_scene->sceneRect().height() - BottomReserve;
    int column = 0;
    uint cameraNumber = 1; // cameras are numbered across all points
    DiagramItem *previous = nullptr;

    for (int k = 1; k <= camerasPerPoint.size(); ++k) {
        DiagramItem *point = new DiagramItem(DiagramItem::PD, m_itemMenu);
        point->setPos(ColumnPitch * column + LeftMargin, PointRow);
        point->setNumber(uint(k));
        if (m_descriptionsHidden)
            point->hideDescription();
        m_scene->addItem(point);
        m_points.append(point);
        ++column;

        int row = 0;
        int stagger = 0;
        const int cameras = camerasPerPoint.at(k - 1);
        for (int i = 0; i < cameras; ++i) {
            DiagramItem *camera = new DiagramItem(DiagramItem::Camera, m_itemMenu);
            int y = CameraPitch * row + FirstCameraRow;
            if (y > lowestCameraRow) {
                ++column;
                stagger += WrapStagger;
                y = FirstCameraRow;
                row = 0;
            }
            camera->setPos(ColumnPitch * column + LeftMargin, y + stagger);
            ++row;
            camera->setNumber(cameraNumber++);
            if (m_descriptionsHidden)
                camera->hideDescription();
            m_scene->addItem(camera);
            m_cameras.append(camera);

            connect(point, camera, point, camera);
        }
        ++column;

        // the chain: the previous point feeds this one
        if (previous)
            connect(previous, point, point, previous);
        previous = point;
    }
}

void NetworkGenerator::applyProjectData(QtnPropertySetProject *project, const QString &name,
                                        const QString &address, const QString &comments,
                                        const QString &createDate)
{
    project->Name.setValue(name);
    project->Address.setValue(address);
    project->Comments.setValue(comments);
    project->CreateDate.setValue(createDate);

    // Writing an unchanged colour would still announce a change and make
    // every item repaint; black stays as it is.
    const QColor black(Qt::black);
    if (project->ColorWires.value() != black)
        project->ColorWires.setValue(black);
    if (project->ColorPD.value() != black)
        project->ColorPD.setValue(black);
    if (project->ColorCameras.value() != black)
        project->ColorCameras.setValue(black);
    project->resetArchiveSettings();
}
