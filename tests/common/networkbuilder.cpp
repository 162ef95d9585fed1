#include "networkbuilder.h"

#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "diagram/wire.h"

NetworkBuilder::NetworkBuilder()
    : m_scene(new DiagramScene(nullptr))
    , m_itemMenu(nullptr)
    , m_ownsScene(true)
{
    m_scene->setSceneRect(0, 0, 1188, 840);
}

NetworkBuilder::NetworkBuilder(DiagramScene *scene, QMenu *itemMenu)
    : m_scene(scene)
    , m_itemMenu(itemMenu)
    , m_ownsScene(false)
{
}

NetworkBuilder::~NetworkBuilder()
{
    if (m_ownsScene)
        delete m_scene;
}

DiagramItem *NetworkBuilder::addPd(const QPointF &pos, unsigned number, bool mains)
{
    auto *item = new DiagramItem(DiagramItem::PD, m_itemMenu);
    m_scene->addItem(item);
    item->setPos(pos);
    item->setNumber(number);
    if (!mains)
        item->setPower230(false);
    return item;
}

DiagramItem *NetworkBuilder::addCamera(const QPointF &pos, unsigned number, unsigned power, int bitrate)
{
    auto *item = new DiagramItem(DiagramItem::Camera, m_itemMenu);
    m_scene->addItem(item);
    item->setPos(pos);
    item->setNumber(number);
    item->setPower(power);
    item->setBitrate(bitrate);
    return item;
}

Wire *NetworkBuilder::connect(DiagramItem *start, DiagramItem *end, unsigned length)
{
    auto *wire = new Wire(start, end);
    wire->setColor(m_scene->lineColor());
    start->addWire(wire);
    end->addWire(wire);
    wire->setZValue(-1000.0);
    m_scene->addItem(wire);
    wire->updatePosition();
    wire->setLength(length);
    return wire;
}
