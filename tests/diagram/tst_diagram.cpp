// One executable for the diagram model: items, wires and the scene.
#include "tst_diagramitem.h"
#include "tst_diagramscene.h"
#include "tst_wire.h"

#include <QApplication>
#include <QtTest>

int main(int argc, char *argv[])
{
    Q_INIT_RESOURCE(images);
    QApplication app(argc, argv);
    int failures = 0;
    {
        TestDiagramItem test;
        failures += QTest::qExec(&test, argc, argv);
    }
    {
        TestWire test;
        failures += QTest::qExec(&test, argc, argv);
    }
    {
        TestDiagramScene test;
        failures += QTest::qExec(&test, argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
