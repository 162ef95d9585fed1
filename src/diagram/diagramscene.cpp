#include "diagram/diagramscene.h"

#include "diagram/wire.h"
#include "propertysets/qtnpropertysetproject.h"

#include <QGraphicsLineItem>
#include <QGraphicsSceneMouseEvent>
#include <QPen>

DiagramScene::DiagramScene(QMenu *itemMenu, QObject *parent)
    : QGraphicsScene(parent)
    , m_itemMenu(itemMenu)
    , m_projectSet(new QtnPropertySetProject(nullptr))
{
}

DiagramScene::~DiagramScene()
{
    // Items go first, without announcing a selection change to listeners
    // that may be half destroyed themselves.
    blockSignals(true);
    removeAllItems();
    delete m_projectSet;
}

void DiagramScene::setMode(DiagramScene::Mode mode)
{
    m_mode = mode;
}

void DiagramScene::setItemType(DiagramItem::DiagramType type)
{
    m_itemType = type;
}

void DiagramScene::setItemMenu(QMenu *menu)
{
    m_itemMenu = menu;
}

void DiagramScene::removeAllItems()
{
    emit aboutToRemoveAllItems();
    // Leave the selection first, so whoever shows the selected item's set
    // lets go of it before the item is destroyed.
    clearSelection();
    // Taking the items out one by one costs a search of the scene's list of
    // top-level items per item (quadratic on a large sheet); clear() deletes
    // them from the front of that list, which needs no search. Items and
    // wires hold plain pointers to each other but their destructors never
    // follow them, so the order of destruction does not matter.
    clear();
    m_line = nullptr;
}

bool DiagramScene::canConnect(const DiagramItem *start, const DiagramItem *end)
{
    if (!start || !end || start == end)
        return false;
    const bool startIsPd = start->diagramType() == DiagramItem::PD;
    const bool endIsPd = end->diagramType() == DiagramItem::PD;
    if (startIsPd && endIsPd)
        return true;
    // A camera is fed by exactly one cable.
    if (startIsPd && end->diagramType() == DiagramItem::Camera)
        return end->wires().isEmpty();
    if (endIsPd && start->diagramType() == DiagramItem::Camera)
        return start->wires().isEmpty();
    return false;
}

void DiagramScene::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    // Other buttons neither select nor start a move.
    if (event->button() != Qt::LeftButton)
        return;

    switch (m_mode) {
    case InsertItem: {
        auto *item = new DiagramItem(m_itemType, m_itemMenu);
        addItem(item);
        item->setPos(event->scenePos());
        emit itemInserted(item);
        break;
    }
    case InsertLine:
        if (m_line) {
            removeItem(m_line);
            delete m_line;
        }
        m_line = new QGraphicsLineItem(QLineF(event->scenePos(), event->scenePos()));
        m_line->setPen(QPen(m_lineColor, 2, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
        addItem(m_line);
        break;
    case MoveItem:
        break;
    }
    QGraphicsScene::mousePressEvent(event);
}

void DiagramScene::mouseMoveEvent(QGraphicsSceneMouseEvent *event)
{
    if (m_mode == InsertLine && m_line) {
        m_line->setLine(QLineF(m_line->line().p1(), event->scenePos()));
        return;
    }
    QGraphicsScene::mouseMoveEvent(event);
}

void DiagramScene::mouseReleaseEvent(QGraphicsSceneMouseEvent *event)
{
    if (m_line && m_mode == InsertLine) {
        finishLine();
    } else if (m_line) {
        // The mode changed during the drag: the line must not stay behind.
        removeItem(m_line);
        delete m_line;
    }
    m_line = nullptr;
    QGraphicsScene::mouseReleaseEvent(event);
}

void DiagramScene::finishLine()
{
    QList<QGraphicsItem *> startItems = items(m_line->line().p1());
    if (!startItems.isEmpty() && startItems.first() == m_line)
        startItems.removeFirst();
    QList<QGraphicsItem *> endItems = items(m_line->line().p2());
    if (!endItems.isEmpty() && endItems.first() == m_line)
        endItems.removeFirst();

    removeItem(m_line);
    delete m_line;
    m_line = nullptr;

    // Only the topmost item under each end counts: a release over a bare
    // wire or over the sheet furniture joins nothing.
    if (startItems.isEmpty() || endItems.isEmpty())
        return;
    if (startItems.first()->type() != DiagramItem::Type || endItems.first()->type() != DiagramItem::Type)
        return;
    auto *start = qgraphicsitem_cast<DiagramItem *>(startItems.first());
    auto *end = qgraphicsitem_cast<DiagramItem *>(endItems.first());
    if (!canConnect(start, end))
        return;

    auto *wire = new Wire(start, end);
    wire->setColor(m_lineColor);
    start->addWire(wire);
    end->addWire(wire);
    wire->setZValue(-1000.0);
    addItem(wire);
    wire->updatePosition();
    emit wireInserted(wire);
}

// ------------------------------------------------------- project accessors

void DiagramScene::setInvestmentName(const QString &text)
{
    m_projectSet->Name.setValue(text);
}

QString DiagramScene::investmentName() const
{
    return m_projectSet->Name.value();
}

void DiagramScene::setInvestmentAddress(const QString &text)
{
    m_projectSet->Address.setValue(text);
}

QString DiagramScene::investmentAddress() const
{
    return m_projectSet->Address.value();
}

void DiagramScene::setInvestmentComments(const QString &text)
{
    m_projectSet->Comments.setValue(text);
}

QString DiagramScene::investmentComments() const
{
    return m_projectSet->Comments.value();
}

void DiagramScene::setCreateDate(const QString &text)
{
    m_projectSet->CreateDate.setValue(text);
}

QString DiagramScene::createDate() const
{
    return m_projectSet->CreateDate.value();
}

void DiagramScene::setColorWires(const QString &text)
{
    m_projectSet->ColorWires.fromStr(text);
}

QString DiagramScene::colorWires() const
{
    QString text;
    m_projectSet->ColorWires.toStr(text);
    return text;
}

void DiagramScene::setColorCameras(const QString &text)
{
    m_projectSet->ColorCameras.fromStr(text);
}

QString DiagramScene::colorCameras() const
{
    QString text;
    m_projectSet->ColorCameras.toStr(text);
    return text;
}

void DiagramScene::setColorPD(const QString &text)
{
    m_projectSet->ColorPD.fromStr(text);
}

QString DiagramScene::colorPD() const
{
    QString text;
    m_projectSet->ColorPD.toStr(text);
    return text;
}
