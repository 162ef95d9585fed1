#include "catalogue/cameracsvimport.h"
#include "testcatalogue.h"

#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextCodec>
#include <QtTest>

// Rewriting the camera table from a CSV file.
class TestCameraCsvImport : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    // Writes the text in the platform's default encoding, which is what the
    // import reads.
    QString writeCsv(const QString &name, const QString &text)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return QString();
        file.write(QTextCodec::codecForLocale()->fromUnicode(text));
        return path;
    }

    static QList<TestCatalogue::Camera> oldCameras()
    {
        return {{QStringLiteral("Stara kamera"), 5, 1000}, {QStringLiteral("Druga stara"), 9, 8192}};
    }

    static QStringList oldRows() { return {"Stara kamera|5|1000", "Druga stara|9|8192"}; }

private Q_SLOTS:
    void initTestCase()
    {
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
        QVERIFY(m_dir.isValid());
    }

    void lineRules_data()
    {
        QTest::addColumn<QString>("csv");
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<int>("accepted");
        QTest::addColumn<int>("skipped");

        QTest::newRow("last line without line feed")
            << "A,1,2\nB,3,4" << QStringList{"A|1|2", "B|3|4"} << 2 << 0;
        QTest::newRow("four fields skipped")
            << "A,5,1000,extra\nB,6,2000\n" << QStringList{"B|6|2000"} << 1 << 1;
        QTest::newRow("two fields and empty line skipped")
            << "A,5\n\nB,6,2000\n" << QStringList{"B|6|2000"} << 1 << 2;
        QTest::newRow("empty model") << ",5,1000\n" << QStringList{"|5|1000"} << 1 << 0;
        QTest::newRow("empty numbers are 0") << "X,,\n" << QStringList{"X|0|0"} << 1 << 0;
        QTest::newRow("7W is 0") << "Kamera X,7W,4096\n" << QStringList{"Kamera X|0|4096"} << 1 << 0;
        QTest::newRow("decimal fraction is 0") << "Kamera Y,6.5,2048\n" << QStringList{"Kamera Y|0|2048"} << 1 << 0;
        QTest::newRow("blanks around the model kept")
            << " Kamera B ,5,1000\n" << QStringList{" Kamera B |5|1000"} << 1 << 0;
        QTest::newRow("CRLF endings")
            << "A,5,1000\r\nB,6,2000\r\n" << QStringList{"A|5|1000", "B|6|2000"} << 2 << 0;
        // Only the carriage return before the line feed goes; one inside the
        // line stays part of the field.
        QTest::newRow("inner carriage return")
            << "C\rD,5,1000\r\n" << QStringList{"C\rD|5|1000"} << 1 << 0;
        QTest::newRow("Polish letters")
            << "Kamera zewnętrzna ŁÓDŹ żółć,9,4096\n" << QStringList{"Kamera zewnętrzna ŁÓDŹ żółć|9|4096"} << 1 << 0;
        QTest::newRow("quote and SQL stored literally")
            << "Kamera \"X\" Robert'); drop table camera;--,5,100\n"
            << QStringList{"Kamera \"X\" Robert'); drop table camera;--|5|100"} << 1 << 0;
        QTest::newRow("header line is a camera")
            << "model,power,bitrate\nA,5,1000\n" << QStringList{"model|0|0", "A|5|1000"} << 2 << 0;
        QTest::newRow("duplicates kept in order")
            << "B,1,1\nA,2,2\nB,3,3\n" << QStringList{"B|1|1", "A|2|2", "B|3|3"} << 3 << 0;
        QTest::newRow("no three-field line empties the table") << "a,b\nc\n" << QStringList{} << 0 << 2;
        QTest::newRow("empty file empties the table") << "" << QStringList{} << 0 << 0;
    }

    void lineRules()
    {
        QFETCH(QString, csv);
        QFETCH(QStringList, rows);
        QFETCH(int, accepted);
        QFETCH(int, skipped);
        if (!QTextCodec::codecForLocale()->canEncode(csv))
            QSKIP("the platform encoding cannot hold this text");

        TestCatalogue catalogue;
        QVERIFY2(catalogue.create(oldCameras(), {}, {}), qPrintable(catalogue.lastError()));
        const QString path = writeCsv(QStringLiteral("cameras.csv"), csv);
        QVERIFY(!path.isEmpty());

        const CameraCsvImport::Result result = CameraCsvImport::importFile(path);
        QVERIFY(result.fileOpened && result.committed && !result.rolledBack);
        QCOMPARE(result.accepted, accepted);
        QCOMPARE(result.skipped, skipped);
        QCOMPARE(catalogue.rows(QStringLiteral("camera")), rows);

        // A second import of the same file gives the same table.
        CameraCsvImport::importFile(path);
        QCOMPARE(catalogue.rows(QStringLiteral("camera")), rows);
    }

    void noCatalogueCreatesNoFile()
    {
        TestCatalogue catalogue;
        catalogue.simulateNoCatalogue();
        const QString absent = catalogue.database().databaseName();
        const QString path = writeCsv(QStringLiteral("nocat.csv"), QStringLiteral("A,5,1000\n"));
        const CameraCsvImport::Result result = CameraCsvImport::importFile(path);
        QVERIFY(result.fileOpened && !result.catalogueOpen && !result.committed);
        QCOMPARE(result.accepted, 1);
        QVERIFY(!QFile::exists(absent));
        QVERIFY(!catalogue.database().isOpen());
    }

    // Another program reading the catalogue holds its lock, so the new table
    // cannot be written: everything is rolled back and the editor's
    // connection still sees the old cameras.
    void failedCommitRollsBack()
    {
        TestCatalogue catalogue;
        QVERIFY(catalogue.create(oldCameras(), {}, {}));
        // A file that cannot be opened changes nothing either.
        const CameraCsvImport::Result missing = CameraCsvImport::importFile(m_dir.filePath(QStringLiteral("none.csv")));
        QVERIFY(!missing.fileOpened && !missing.committed);
        QCOMPARE(catalogue.rows(QStringLiteral("camera")), oldRows());
        const QString path = writeCsv(QStringLiteral("locked.csv"), QStringLiteral("A,5,1000\nB,6,2000\n"));
        {
            QSqlDatabase reader = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("reader"));
            reader.setDatabaseName(catalogue.path());
            reader.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=0"));
            QVERIFY(reader.open());
            QVERIFY(reader.transaction());
            QSqlQuery read(reader);
            QVERIFY(read.exec(QStringLiteral("select count(*) from camera")));
            QVERIFY(read.next());

            const CameraCsvImport::Result result = CameraCsvImport::importFile(path);
            QVERIFY(result.fileOpened && !result.committed && result.rolledBack);
            QCOMPARE(result.accepted, 2);
            QCOMPARE(catalogue.rows(QStringLiteral("camera")), oldRows());
            read.finish();
            reader.commit();
            reader.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("reader"));

        // With the lock gone the same file goes in, so the connection was
        // left usable after the rollback.
        QVERIFY(CameraCsvImport::importFile(path).committed);
        QCOMPARE(catalogue.rows(QStringLiteral("camera")), QStringList({"A|5|1000", "B|6|2000"}));
    }
};

QTEST_GUILESS_MAIN(TestCameraCsvImport)
#include "tst_cameracsvimport.moc"
