// The calculation as the editor window drives it: its slots delegate to the
// scene calculation, and the overflow question goes through the window's
// dialog seam.

#include "app/mainwindow.h"
#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "diagram/wire.h"
#include "networkbuilder.h"
#include "propertysets/qtnpropertysetpd.h"
#include "scripteddialogseam.h"
#include "testcatalogue.h"

#include <QMessageBox>
#include <QtTest>

class TestCalcWindow : public QObject
{
    Q_OBJECT

private slots:
    void overflowThroughSeam();
};

void TestCalcWindow::overflowThroughSeam()
{
    ScriptedDialogSeam seam;
    MainWindow window(&seam);
    TestCatalogue db;
    QVERIFY(db.create({}, {{"Five", QStringLiteral("Wewnętrzna (IP20)"), 0, 5, 1, 100, 100000}}, {}));
    NetworkBuilder net(window.scene(), window.itemMenu());
    DiagramItem *pd = net.addPd({300, 200}, 1);
    for (int i = 0; i < 7; ++i)
        net.connect(pd, net.addCamera({100.0 + 50 * i, 500}, uint(i + 1)), 20);
    window.calcPD();
    QVERIFY(pd->slotOverflow());
    QCOMPARE(pd->pdSet()->Model.value(), 0);

    seam.shown.clear();
    seam.messageAnswers.enqueue(QMessageBox::Yes);
    QVERIFY(window.addNewPdWhenOverflowSlotsCountPD(pd));
    QCOMPARE(seam.kinds(), QStringList{QStringLiteral("message")});
    QVERIFY(seam.shown.first().text.startsWith(QStringLiteral("W projekcie znajduje się nie określony model")));
    QVERIFY(!seam.shown.first().hasParent);

    QList<DiagramItem *> points;
    for (QGraphicsItem *item : window.scene()->items()) {
        if (item->type() == DiagramItem::Type && static_cast<DiagramItem *>(item)->diagramType() == DiagramItem::PD)
            points << static_cast<DiagramItem *>(item);
    }
    QCOMPARE(points.size(), 2);
    DiagramItem *added = points.first() == pd ? points.last() : points.first();
    QCOMPARE(added->contextMenu(), window.itemMenu());
    // The first point keeps five cameras plus the link, the new one the
    // other two plus the link, which the five-slot box now takes.
    window.calcPD();
    QCOMPARE(pd->wires().size(), 6);
    QCOMPARE(added->wires().size(), 3);
    QCOMPARE(added->modelName(), QStringLiteral("Five"));
}

QTEST_MAIN(TestCalcWindow)
#include "tst_calcwindow.moc"
