#include "testcatalogue.h"

#include "catalogue/sqlscript.h"

#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTextStream>

namespace {
const char *const kBuildConnection = "testcatalogue-build";
}

TestCatalogue::TestCatalogue() = default;

TestCatalogue::~TestCatalogue()
{
    closeDefault();
}

QString TestCatalogue::bundledSqlPath()
{
#ifdef MOX_CATALOGUE_SQL_PATH
    return QStringLiteral(MOX_CATALOGUE_SQL_PATH);
#else
    return QString();
#endif
}

QString TestCatalogue::bundledSql()
{
    QFile file(bundledSqlPath());
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    QTextStream in(&file);
    in.setCodec("UTF-8");
    return in.readAll();
}

QStringList TestCatalogue::splitStatements(const QString &text)
{
    return SqlScript::statements(text);
}

QStringList TestCatalogue::bundledSchema()
{
    QStringList schema;
    const QStringList statements = splitStatements(bundledSql());
    for (const QString &statement : statements) {
        if (statement.startsWith(QLatin1String("CREATE"), Qt::CaseInsensitive))
            schema << statement;
    }
    return schema;
}

bool TestCatalogue::create(const QList<Camera> &cameras, const QList<Pd> &pds, const QStringList &wires)
{
    QList<Cable> cables;
    for (const QString &model : wires)
        cables.append({model, 0});
    return createWithCables(cameras, pds, cables);
}

bool TestCatalogue::createWithCables(const QList<Camera> &cameras, const QList<Pd> &pds,
                                     const QList<Cable> &cables)
{
    const QStringList schema = bundledSchema();
    if (schema.isEmpty()) {
        m_lastError = QStringLiteral("cannot read the schema from ") + bundledSqlPath();
        return false;
    }
    return build(schema, cameras, pds, cables);
}

bool TestCatalogue::createBundled()
{
    const QString sql = bundledSql();
    if (sql.isEmpty()) {
        m_lastError = QStringLiteral("cannot read ") + bundledSqlPath();
        return false;
    }
    return build(splitStatements(sql), {}, {}, {});
}

bool TestCatalogue::createFromStatements(const QStringList &statements)
{
    return build(statements, {}, {}, {});
}

bool TestCatalogue::build(const QStringList &statements, const QList<Camera> &cameras, const QList<Pd> &pds,
                          const QList<Cable> &cables)
{
    closeDefault();
    if (!m_dir.isValid()) {
        m_lastError = QStringLiteral("no temporary folder");
        return false;
    }
    // A fresh file per build: SQLite may keep pages of a replaced file cached
    // in connections that other code still holds.
    m_path = m_dir.filePath(QStringLiteral("moxproducts-%1.db").arg(++m_generation));
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QLatin1String(kBuildConnection));
        db.setDatabaseName(m_path);
        ok = db.open();
        if (!ok)
            m_lastError = db.lastError().text();
        QSqlQuery query(db);
        if (ok)
            db.transaction();
        for (int i = 0; ok && i < statements.size(); ++i) {
            ok = query.exec(statements.at(i));
            if (!ok)
                m_lastError = query.lastError().text() + QStringLiteral(" in: ") + statements.at(i);
        }
        if (ok) {
            query.prepare(QStringLiteral("insert into camera (model, power, bitrate) values (?, ?, ?)"));
            for (const Camera &c : cameras) {
                query.addBindValue(c.model);
                query.addBindValue(c.power);
                query.addBindValue(c.bitrate);
                ok = ok && query.exec();
            }
            query.prepare(QStringLiteral("insert into pd (name, boxtype, power_backup, camera_slots, power230, "
                                         "camera_total_power_max, bitrate) values (?, ?, ?, ?, ?, ?, ?)"));
            for (const Pd &p : pds) {
                query.addBindValue(p.name);
                query.addBindValue(p.boxtype);
                query.addBindValue(p.powerBackup);
                query.addBindValue(p.cameraSlots);
                query.addBindValue(p.power230);
                query.addBindValue(p.cameraTotalPowerMax);
                query.addBindValue(p.bitrate);
                ok = ok && query.exec();
            }
            query.prepare(QStringLiteral("insert into wire (model, awg) values (?, ?)"));
            for (const Cable &c : cables) {
                query.addBindValue(c.model);
                query.addBindValue(c.awg > 0 ? QVariant(c.awg) : QVariant(QVariant::Int));
                ok = ok && query.exec();
            }
            if (!ok)
                m_lastError = query.lastError().text();
        }
        query.finish();
        if (db.isOpen())
            ok = db.commit() && ok;
        db.close();
    }
    QSqlDatabase::removeDatabase(QLatin1String(kBuildConnection));
    return ok && openDefault();
}

bool TestCatalogue::openDefault()
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
    db.setDatabaseName(m_path);
    // A locked catalogue answers at once instead of after the driver's
    // default five seconds; tests that lock it on purpose stay fast.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=0"));
    if (!db.open()) {
        m_lastError = db.lastError().text();
        return false;
    }
    return true;
}

void TestCatalogue::simulateNoCatalogue()
{
    closeDefault();
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
    db.setDatabaseName(m_dir.filePath(QStringLiteral("absent.db")));
}

void TestCatalogue::closeDefault()
{
    if (!QSqlDatabase::contains(QLatin1String(QSqlDatabase::defaultConnection)))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(QLatin1String(QSqlDatabase::defaultConnection), false);
        db.close();
    }
    QSqlDatabase::removeDatabase(QLatin1String(QSqlDatabase::defaultConnection));
}

QString TestCatalogue::path() const
{
    return m_path;
}

QSqlDatabase TestCatalogue::database() const
{
    return QSqlDatabase::database(QLatin1String(QSqlDatabase::defaultConnection), false);
}

QStringList TestCatalogue::rows(const QString &table) const
{
    QStringList result;
    QSqlQuery query(database());
    if (!query.exec(QStringLiteral("select * from ") + table))
        return result;
    while (query.next()) {
        QStringList columns;
        for (int i = 0; i < query.record().count(); ++i)
            columns << query.value(i).toString();
        result << columns.join(QLatin1Char('|'));
    }
    return result;
}
