#include "calc/calcloop.h"
#include "diagram/diagramscene.h"
#include "wizard/networkgenerator.h"

#include "testcatalogue.h"

#include <QtTest>

// The largest network the wizard can ask for: 10 points of 32 cameras each,
// generated and then calculated once, as the editor does right after the
// wizard closes.
class BenchWizard : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        Q_INIT_RESOURCE(images);
        // the bundled catalogue, so the model pass runs its real statements
        QVERIFY2(m_catalogue.createBundled(), qPrintable(m_catalogue.lastError()));
    }

    void generateLargest()
    {
        QBENCHMARK {
            DiagramScene scene(nullptr);
            scene.setSceneRect(0, 0, 1188, 840);
            NetworkGenerator generator(&scene, nullptr);
            generator.generate(QVector<int>(10, 32).toList());
        }
    }

    void generateAndCalculateLargest()
    {
        QBENCHMARK {
            DiagramScene scene(nullptr);
            scene.setSceneRect(0, 0, 1188, 840);
            NetworkGenerator generator(&scene, nullptr);
            generator.generate(QVector<int>(10, 32).toList());
            CalcLoop loop(&scene);
            loop.run();
        }
    }

private:
    TestCatalogue m_catalogue;
};

QTEST_MAIN(BenchWizard)
#include "bench_wizard.moc"
