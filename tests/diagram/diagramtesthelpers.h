#ifndef TESTS_DIAGRAM_DIAGRAMTESTHELPERS_H
#define TESTS_DIAGRAM_DIAGRAMTESTHELPERS_H

#include <QEvent>
#include <QImage>
#include <QPointF>

class QGraphicsItem;
class QGraphicsScene;

namespace DiagramTest {

// Paints one item, as a view would, into an image whose centre is the item's
// origin. Painting also refreshes the item's cached rectangle and the layout
// flags of its side labels.
QImage paintItem(QGraphicsItem *item, int width = 400, int height = 300);

// Renders the whole scene region 0..width, 0..height at scale 1.
QImage renderScene(QGraphicsScene *scene, int width = 1188, int height = 840);

// Delivers one mouse event to the scene the way a view does.
void sendMouse(QGraphicsScene *scene, QEvent::Type type, const QPointF &scenePos,
               Qt::MouseButton button = Qt::LeftButton);

// Press at from, move to to, release at to, with the left button.
void drag(QGraphicsScene *scene, const QPointF &from, const QPointF &to);

// Number of top-level scene items of the given graphics-item type.
int countItems(QGraphicsScene *scene, int type);

} // namespace DiagramTest

#endif // TESTS_DIAGRAM_DIAGRAMTESTHELPERS_H
