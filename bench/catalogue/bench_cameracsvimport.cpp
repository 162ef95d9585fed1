#include "catalogue/cameracsvimport.h"
#include "testcatalogue.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// Import of a 10 000-line camera file into a catalogue on disk.
class BenchCameraCsvImport : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_csv;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_csv = m_dir.filePath(QStringLiteral("cameras.csv"));
        QFile file(m_csv);
        QVERIFY(file.open(QIODevice::WriteOnly));
        for (int i = 0; i < 10000; ++i)
            file.write(QStringLiteral("Kamera testowa %1,%2,%3\n").arg(i).arg(5 + i % 20).arg(2048 * (1 + i % 4)).toUtf8());
    }

    // The debug log line of every camera is discarded: the figure is the
    // file and catalogue work, not the speed of a console.
    void import10000Lines()
    {
        TestCatalogue catalogue;
        QVERIFY(catalogue.createBundled());
        const QtMessageHandler previous =
            qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
        CameraCsvImport::Result result;
        QBENCHMARK {
            result = CameraCsvImport::importFile(m_csv);
        }
        qInstallMessageHandler(previous);
        QVERIFY(result.committed);
        QCOMPARE(result.accepted, 10000);
        QCOMPARE(catalogue.rows(QStringLiteral("camera")).size(), 10000);
    }
};

QTEST_GUILESS_MAIN(BenchCameraCsvImport)
#include "bench_cameracsvimport.moc"
