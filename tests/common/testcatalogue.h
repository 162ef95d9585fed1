#ifndef TESTCATALOGUE_H
#define TESTCATALOGUE_H

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A throw-away product catalogue for tests. It builds an SQLite file in a
// temporary folder, with the schema of data/moxproducts.sql and the rows the
// test gives, and opens it as the default QSQLITE connection - the one every
// catalogue statement of the editor runs on. The destructor closes and
// removes the default connection and deletes the file.
//
//   TestCatalogue catalogue;
//   QVERIFY(catalogue.create({{"Kamera A", 7, 2048}}, {}, {"UTP kat.5E"}));
//   ... code under test queries the default connection ...
//
// Only one TestCatalogue may live at a time (there is one default connection).
class TestCatalogue
{
public:
    struct Camera {
        QString model;
        int power;
        int bitrate;
    };
    struct Pd {
        QString name;
        QString boxtype;
        int powerBackup;           // 1: battery backup
        int cameraSlots;
        int power230;              // 1: mains-fed, 0: PoE-fed
        int cameraTotalPowerMax;   // W
        int bitrate;               // kbit/s
    };
    struct Cable {
        QString model;
        int awg;                   // conductor gauge; 0 leaves the column empty
    };

    TestCatalogue();
    ~TestCatalogue();

    // Creates the tables and fills them with the rows in the given order, then
    // opens the file as the default connection. False when anything failed
    // (lastError() tells what).
    bool create(const QList<Camera> &cameras, const QList<Pd> &pds, const QStringList &wires);
    // The same with the cable types' gauges.
    bool createWithCables(const QList<Camera> &cameras, const QList<Pd> &pds, const QList<Cable> &cables);
    // Creates the catalogue from the bundled data/moxproducts.sql, rows and all.
    bool createBundled();
    // Creates the catalogue from the given statements alone, schema and rows:
    // one whose tables or column types differ from the bundled ones.
    bool createFromStatements(const QStringList &statements);

    // Simulates a missing catalogue: the default connection is registered but
    // not open, as start-up leaves it when moxproducts.db does not exist.
    void simulateNoCatalogue();

    // Path of the catalogue file, e.g. for a second connection in a test.
    QString path() const;
    QSqlDatabase database() const;
    QString lastError() const { return m_lastError; }

    // Text of data/moxproducts.sql (empty when it cannot be read).
    static QString bundledSql();
    static QString bundledSqlPath();
    // The CREATE TABLE statements of data/moxproducts.sql, in file order.
    static QStringList bundledSchema();
    // Splits an SQL text into statements the way tools/mkcatalogue does.
    static QStringList splitStatements(const QString &text);

    // Rows of a table of the open catalogue, each row's columns joined by '|'.
    QStringList rows(const QString &table) const;

private:
    bool build(const QStringList &statements, const QList<Camera> &cameras, const QList<Pd> &pds,
               const QList<Cable> &cables);
    bool openDefault();
    void closeDefault();

    QTemporaryDir m_dir;
    int m_generation = 0;
    QString m_path;
    QString m_lastError;
};

#endif // TESTCATALOGUE_H
