// Costs of the diagram model that grow with the drawing: painting an item
// (which recolours its icon on every paint), sorting the wires of a busy
// point, routing wires, and rendering a whole sheet.
#include "networkbuilder.h"

#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "diagram/wire.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QStyleOptionGraphicsItem>
#include <QtMath>
#include <QtTest>

class BenchDiagram : public QObject
{
    Q_OBJECT

private slots:
    void paintItem();
    void sortWiresOfBusyPoint();
    void routeWires();
    void renderSheet();
};

void BenchDiagram::paintItem()
{
    DiagramItem item(DiagramItem::PD, nullptr);
    item.setPc(true);
    item.setNvr(true);
    QImage image(300, 200, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.translate(150, 100);
    QStyleOptionGraphicsItem option;
    QBENCHMARK {
        item.paint(&painter, &option, nullptr);
    }
}

void BenchDiagram::sortWiresOfBusyPoint()
{
    // A point with 24 cables around it, moved once per iteration so that its
    // list and every neighbour's list are sorted again.
    NetworkBuilder net;
    DiagramItem *hub = net.addPd(QPointF(600, 400));
    for (int k = 0; k < 24; ++k) {
        const qreal a = qDegreesToRadians(15.0 * k);
        net.connect(hub, net.addPd(QPointF(600 + 300 * qCos(a), 400 + 300 * qSin(a))));
    }
    int step = 0;
    QBENCHMARK {
        hub->setPos(600 + (step++ % 2), 400);
    }
}

void BenchDiagram::routeWires()
{
    NetworkBuilder net;
    QList<Wire *> wires;
    for (int p = 0; p < 10; ++p) {
        DiagramItem *pd = net.addPd(QPointF(100 + 100 * p, 200));
        for (int c = 0; c < 5; ++c)
            wires << net.connect(pd, net.addCamera(QPointF(80 + 100 * p + 10 * c, 500 + 40 * c)));
    }
    QBENCHMARK {
        for (Wire *wire : qAsConst(wires))
            wire->path();
    }
}

void BenchDiagram::renderSheet()
{
    // 10 points with 5 cameras each: a typical small installation.
    NetworkBuilder net;
    for (int p = 0; p < 10; ++p) {
        DiagramItem *pd = net.addPd(QPointF(100 + 100 * p, 200));
        for (int c = 0; c < 5; ++c)
            net.connect(pd, net.addCamera(QPointF(80 + 100 * p + 10 * c, 500 + 40 * c)));
    }
    QImage image(1188, 840, QImage::Format_ARGB32_Premultiplied);
    QBENCHMARK {
        QPainter painter(&image);
        net.scene()->render(&painter);
    }
}

int main(int argc, char *argv[])
{
    Q_INIT_RESOURCE(images);
    QApplication app(argc, argv);
    BenchDiagram bench;
    return QTest::qExec(&bench, argc, argv);
}

#include "bench_diagram.moc"
