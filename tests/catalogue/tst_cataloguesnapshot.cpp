// The catalogue snapshot against the statements it stands for: the same
// answers on random requirements over the bundled catalogue and over
// generated ones (numbers declared as text, untyped columns, NULLs, reals,
// quotes, duplicates), and a snapshot that follows every change of the
// default connection without serving an old answer.

#include "catalogue/catalogue.h"
#include "catalogue/cataloguesnapshot.h"
#include "testcatalogue.h"

#include <QRandomGenerator>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

namespace {

QString sqlText(const QString &text)
{
    return QLatin1Char('\'') + QString(text).replace(QLatin1Char('\''), QLatin1String("''")) + QLatin1Char('\'');
}

// Rows that put the comparisons to work: numbers on both sides of the
// thresholds, NULLs, reals, numbers stored as text where the schema says
// text, duplicate names, enclosures with quotes and non-ASCII letters.
QStringList generatedRows(quint32 seed, const QString &numberStyle)
{
    QRandomGenerator random(seed);
    const QStringList boxes = {QStringLiteral("Wewnętrzna (IP20)"), QStringLiteral("Zewnętrzna (IP65)"),
                               QStringLiteral("Szafa RACK 19\""), QStringLiteral("Ą"), QStringLiteral("a"),
                               QStringLiteral("")};
    const auto number = [&](int max) -> QString {
        const int roll = random.bounded(20);
        if (roll == 0)
            return QStringLiteral("NULL");
        const int n = random.bounded(max + 1);
        if (numberStyle == QLatin1String("real") && roll == 1)
            return QString::number(n) + QStringLiteral(".5");
        if (numberStyle == QLatin1String("text"))
            return sqlText(QString::number(n));
        // Texts no number can be read from, and a blob.
        if (numberStyle == QLatin1String("dirty") && roll < 4)
            return roll == 3 ? QStringLiteral("x'01'") : sqlText(roll == 1 ? QStringLiteral("brak") : QStringLiteral("%1 W").arg(n));
        return QString::number(n);
    };
    QStringList rows;
    for (int i = 0; i < 60; ++i) {
        const QString name = random.bounded(6) == 0 ? QStringLiteral("Dubel") : QStringLiteral("PD-%1").arg(i);
        rows << QStringLiteral("insert into pd values (%1, %2, %3, %4, %5, %6, %7)")
                        .arg(sqlText(name), random.bounded(15) == 0 ? QStringLiteral("NULL")
                                                                    : sqlText(boxes.at(random.bounded(boxes.size()))),
                             number(1), number(30), number(1), number(300), number(200000));
    }
    for (int i = 0; i < 30; ++i)
        rows << QStringLiteral("insert into camera values (%1, %2, %3)")
                        .arg(sqlText(random.bounded(8) == 0 ? QStringLiteral("Kamera 0") : QStringLiteral("Kamera %1").arg(i)),
                             number(40), number(20000));
    rows << QStringLiteral("insert into wire values ('UTP kat.5E', 24)");
    return rows;
}

QStringList schema(const QString &number, const QString &text)
{
    return {QStringLiteral("create table camera (model %2, power %1, bitrate %1)").arg(number, text),
            QStringLiteral("create table pd (name %2, boxtype %2, power_backup %1, camera_slots %1, power230 %1, "
                           "camera_total_power_max %1, bitrate %1)")
                    .arg(number, text),
            QStringLiteral("create table wire (model %2, awg %1)").arg(number, text)};
}

} // namespace

class TestCatalogueSnapshot : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void sameAnswers_data();
    void sameAnswers();
    void followsTheConnection();
};

void TestCatalogueSnapshot::initTestCase()
{
    // "QSqlQuery::value: not positioned on a valid record" for missing
    // columns is the statements' business, not this test's.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
}

void TestCatalogueSnapshot::sameAnswers_data()
{
    QTest::addColumn<QStringList>("statements");
    QTest::addColumn<bool>("answersSelection");
    QTest::newRow("bundled") << QStringList() << true;
    const auto generated = [](const QString &number, const QString &text, const QString &style, quint32 seed) {
        return schema(number, text) + generatedRows(seed, style);
    };
    QTest::newRow("integer columns") << generated("INTEGER", "TEXT", "integer", 1) << true;
    QTest::newRow("integer columns, reals") << generated("INTEGER", "TEXT", "real", 2) << true;
    QTest::newRow("real columns") << generated("REAL", "VARCHAR(40)", "real", 3) << true;
    // "9" >= "17" as text: numbers declared as text compare as text.
    QTest::newRow("numbers as text") << generated("TEXT", "TEXT", "text", 4) << true;
    // Without a declared type nothing is converted: a stored integer is
    // less than every quoted number.
    QTest::newRow("untyped columns") << generated("", "", "integer", 5) << true;
    QTest::newRow("untyped columns, texts") << generated("", "", "text", 6) << true;
    // Texts in numeric columns, an index that may change the row order, a
    // collation: the snapshot leaves these to the statements.
    QTest::newRow("untyped columns, dirty values") << generated("", "", "dirty", 9) << true;
    QTest::newRow("text in numeric columns") << generated("INTEGER", "TEXT", "dirty", 7) << false;
    QTest::newRow("indexed") << generated("INTEGER", "TEXT", "integer", 8) + QStringList{"create index slots on pd (camera_slots)"}
                             << false;
    QTest::newRow("collation") << QStringList{"create table pd (name TEXT, boxtype TEXT COLLATE NOCASE, "
                                              "power_backup INTEGER, camera_slots INTEGER, power230 INTEGER, "
                                              "camera_total_power_max INTEGER, bitrate INTEGER)",
                                              "insert into pd values ('X', 'a', 0, 5, 1, 60, 1000)",
                                              "insert into pd values ('Y', 'A', 0, 5, 1, 60, 1000)"}
                               << false;
    QTest::newRow("columns missing") << QStringList{"create table pd (name TEXT, power_backup INTEGER, power230 INTEGER)",
                                                    "insert into pd values ('X', 0, 1)",
                                                    "create table camera (model TEXT)",
                                                    "insert into camera values ('K')"}
                                     << true;
    QTest::newRow("no tables") << QStringList{"create table other (x)"} << true;
}

void TestCatalogueSnapshot::sameAnswers()
{
    QFETCH(QStringList, statements);
    QFETCH(bool, answersSelection);
    TestCatalogue catalogue;
    QVERIFY2(statements.isEmpty() ? catalogue.createBundled() : catalogue.createFromStatements(statements),
             qPrintable(catalogue.lastError()));
    const CatalogueSnapshot *snapshot = CatalogueSnapshot::current();
    QVERIFY(snapshot);

    QCOMPARE(snapshot->boxTypes(), Catalogue::columnTexts(QLatin1String(Catalogue::BoxTypesStatement), "boxtype"));
    QCOMPARE(snapshot->cameraModels(), Catalogue::columnTexts(QLatin1String(Catalogue::CameraModelsStatement), "model"));
    QCOMPARE(snapshot->wireModels(), Catalogue::columnTexts(QLatin1String(Catalogue::WireTypesStatement), "model"));

    // Thresholds taken from the rows themselves, one either side too, so
    // that every comparison is tried at its edge.
    QList<int> slotCounts{0, 1}, powers{0}, bitrates{0};
    QStringList boxes = snapshot->boxTypes();
    boxes << QStringLiteral("Nie ma takiej") << QStringLiteral("name") << QStringLiteral("ROWID") << QStringLiteral("7");
    const CatalogueSnapshot::Table &pd = snapshot->pd();
    for (const QVector<QVariant> &row : pd.rows) {
        const auto add = [&](QList<int> &list, const char *column) {
            const int c = pd.column(QLatin1String(column));
            if (c >= 0)
                list << row.at(c).toInt() - 1 << row.at(c).toInt() << row.at(c).toInt() + 1;
        };
        add(slotCounts, "camera_slots");
        add(powers, "camera_total_power_max");
        add(bitrates, "bitrate");
    }
    QRandomGenerator random(42);
    const auto pick = [&](const QList<int> &list) { return qMax(0, list.at(random.bounded(list.size()))); };
    int answered = 0;
    for (int i = 0; i < 400; ++i) {
        PdCriteria c;
        c.backup = random.bounded(2);
        c.slotsRequired = random.bounded(4) != 0;
        c.slotCount = pick(slotCounts);
        c.boxTypeRequired = random.bounded(2) != 0;
        c.boxType = boxes.at(random.bounded(boxes.size()));
        c.mains = random.bounded(2) != 0;
        c.loadRequired = random.bounded(4) != 0;
        c.power = pick(powers);
        c.throughputRequired = random.bounded(4) != 0;
        c.bitrate = pick(bitrates);
        const QString statement = c.statement();
        QStringList names;
        bool found = false;
        if (snapshot->fittingModels(c, &names)) {
            ++answered;
            QCOMPARE(names, Catalogue::columnTexts(statement, "name"));
            QVERIFY(snapshot->finds(c, &found));
            QCOMPARE(found, Catalogue::hasRows(statement));
        }
        // Whoever answers, the catalogue's answer is the statement's.
        QCOMPARE(Catalogue::fittingPdModels(c), Catalogue::columnTexts(statement, "name"));
        QCOMPARE(Catalogue::findsPdModel(c), Catalogue::hasRows(statement));
    }
    QCOMPARE(answered > 0, answersSelection);

    // Look-ups by name: every name in the tables, and a few that are not.
    QStringList names = Catalogue::columnTexts(QStringLiteral("select * from pd"), "name");
    names << QStringLiteral("pd-1") << QString() << QStringLiteral("Kamera 0") << QStringLiteral("PD-1 ");
    for (const QString &name : qAsConst(names)) {
        QList<int> rates;
        QSqlQuery query;
        QList<int> expected;
        if (query.prepare(QLatin1String(Catalogue::PdByNameStatement))) {
            query.bindValue(QStringLiteral(":name"), name);
            if (query.exec()) {
                while (query.next())
                    expected << query.value(query.record().indexOf(QStringLiteral("bitrate"))).toInt();
            }
        }
        if (snapshot->pdBitrates(name, &rates))
            QCOMPARE(rates, expected);
        QCOMPARE(Catalogue::pdBitrates(name), expected);
    }
    QStringList models = snapshot->cameraModels();
    models << QStringLiteral("kamera 0") << QStringLiteral("Brak");
    for (const QString &model : qAsConst(models)) {
        QSqlQuery query;
        QString expected = QStringLiteral("none");
        if (query.prepare(QLatin1String(Catalogue::CameraByModelStatement))) {
            query.bindValue(QStringLiteral(":model"), model);
            if (query.exec() && query.next()) {
                QStringList columns;
                for (int c = 0; c < query.record().count(); ++c)
                    columns << query.value(c).toString();
                expected = columns.join(QLatin1Char('|'));
            }
        }
        const QVector<QVariant> *row = nullptr;
        if (snapshot->cameraByModel(model, &row)) {
            QString got = QStringLiteral("none");
            if (row) {
                QStringList columns;
                for (const QVariant &v : *row)
                    columns << v.toString();
                got = columns.join(QLatin1Char('|'));
            }
            QCOMPARE(got, expected);
        }
    }
}

// Every way a test or the editor can change what the default connection
// sees, each followed by a question that must see it.
void TestCatalogueSnapshot::followsTheConnection()
{
    const auto fitting = [] {
        PdCriteria c;
        c.slotCount = 1;
        c.mains = true;
        return Catalogue::fittingPdModels(c);
    };
    TestCatalogue catalogue;
    QVERIFY(catalogue.create({{"K", 5, 1024}}, {{"A", "Wewnętrzna (IP20)", 0, 5, 1, 60, 100000}}, {"UTP"}));
    QCOMPARE(fitting(), QStringList{"A"});

    // Asking again costs nothing: no change, no loading.
    const int loads = CatalogueSnapshot::loadCount();
    QCOMPARE(fitting(), QStringList{"A"});
    QCOMPARE(CatalogueSnapshot::loadCount(), loads);

    // Rows added and removed through the default connection.
    QSqlQuery query(catalogue.database());
    QVERIFY(query.exec("insert into pd values ('B', 'Wewnętrzna (IP20)', 0, 8, 1, 90, 100000)"));
    QCOMPARE(fitting(), QStringList({"A", "B"}));
    QVERIFY(query.exec("delete from pd where name = 'A'"));
    QCOMPARE(fitting(), QStringList{"B"});

    // A column added: the snapshot keeps whole rows.
    QVERIFY(query.exec("alter table wire add column shield TEXT default 'F/UTP'"));
    const CatalogueSnapshot::Table &wire = CatalogueSnapshot::current()->wire();
    QVERIFY(wire.column("shield") >= 0);
    QCOMPARE(wire.rows.value(0).value(wire.column("shield")).toString(), QStringLiteral("F/UTP"));

    // Another connection to the same file.
    {
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
        other.setDatabaseName(catalogue.path());
        QVERIFY(other.open());
        QSqlQuery write(other);
        QVERIFY(write.exec("insert into pd values ('C', 'Wewnętrzna (IP20)', 0, 2, 1, 30, 100000)"));
        QCOMPARE(fitting(), QStringList({"B", "C"}));
        QVERIFY(write.exec("update pd set camera_slots = 0 where name = 'C'"));
        QCOMPARE(fitting(), QStringList{"B"});
        other.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("other"));

    // Inside a transaction the connection sees its uncommitted row; after a
    // rollback it is gone again.
    QVERIFY(catalogue.database().transaction());
    QVERIFY(query.exec("insert into pd values ('D', 'Wewnętrzna (IP20)', 0, 8, 1, 90, 100000)"));
    QCOMPARE(fitting(), QStringList({"B", "D"}));
    QVERIFY(catalogue.database().rollback());
    QCOMPARE(fitting(), QStringList{"B"});

    // The same catalogue reopened, another one in its place, none at all.
    catalogue.database().close();
    QCOMPARE(fitting(), QStringList());
    QVERIFY(catalogue.database().open());
    QCOMPARE(fitting(), QStringList{"B"});
    QVERIFY(catalogue.create({}, {{"E", "Wewnętrzna (IP20)", 0, 5, 1, 60, 100000}}, {}));
    QCOMPARE(fitting(), QStringList{"E"});
    catalogue.simulateNoCatalogue();
    QCOMPARE(fitting(), QStringList());
}

QTEST_MAIN(TestCatalogueSnapshot)
#include "tst_cataloguesnapshot.moc"
