#include "diagramtesthelpers.h"

#include <QApplication>
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>
#include <QStyleOptionGraphicsItem>

namespace DiagramTest {

QImage paintItem(QGraphicsItem *item, int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.translate(width / 2, height / 2);
    QStyleOptionGraphicsItem option;
    item->paint(&painter, &option, nullptr);
    painter.end();
    return image;
}

QImage renderScene(QGraphicsScene *scene, int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    scene->render(&painter, QRectF(0, 0, width, height), QRectF(0, 0, width, height));
    painter.end();
    return image;
}

void sendMouse(QGraphicsScene *scene, QEvent::Type type, const QPointF &scenePos, Qt::MouseButton button)
{
    QGraphicsSceneMouseEvent event(type);
    event.setScenePos(scenePos);
    event.setScreenPos(scenePos.toPoint());
    event.setButton(button);
    event.setButtonDownScenePos(button, scenePos);
    if (type == QEvent::GraphicsSceneMouseRelease)
        event.setButtons(Qt::NoButton);
    else
        event.setButtons(button);
    event.setModifiers(Qt::NoModifier);
    event.setAccepted(false);
    QApplication::sendEvent(scene, &event);
}

void drag(QGraphicsScene *scene, const QPointF &from, const QPointF &to)
{
    sendMouse(scene, QEvent::GraphicsSceneMousePress, from);
    sendMouse(scene, QEvent::GraphicsSceneMouseMove, (from + to) / 2);
    sendMouse(scene, QEvent::GraphicsSceneMouseMove, to);
    sendMouse(scene, QEvent::GraphicsSceneMouseRelease, to);
}

int countItems(QGraphicsScene *scene, int type)
{
    int count = 0;
    const QList<QGraphicsItem *> all = scene->items();
    for (QGraphicsItem *item : all) {
        if (!item->parentItem() && item->type() == type)
            ++count;
    }
    return count;
}

} // namespace DiagramTest
