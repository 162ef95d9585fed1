#include "check/poecatalogue.h"

#include "catalogue/cataloguesnapshot.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

namespace {

void addAwg(PoeCatalogue::Tables &tables, const QVariant &model, const QVariant &awg)
{
    const int gauge = awg.toInt();
    if (gauge > 0)
        tables.awgs.insert(model.toString(), gauge);
}

void addModel(PoeCatalogue::Tables &tables, const QVariant &name, const QVariant &power, const QVariant &bitrate,
              const QVariant &slotCount)
{
    PoeCatalogue::PointModel model;
    model.powerBudget = power.toInt();
    model.bitrate = bitrate.toInt();
    model.slotCount = slotCount.toInt();
    tables.models.insert(name.toString(), model);
}

// The rows of a table of the snapshot, their columns read by name (an
// invalid value for a column the table lacks).
template <typename Read>
void readRows(const CatalogueSnapshot::Table &table, std::initializer_list<const char *> names, Read read)
{
    if (!table.exists)
        return;
    QVector<int> columns;
    for (const char *name : names)
        columns << table.column(QLatin1String(name));
    const QVariant none;
    for (const QVector<QVariant> &row : table.rows) {
        QVector<QVariant> values;
        for (int column : qAsConst(columns))
            values << (column >= 0 && column < row.size() ? row.at(column) : none);
        read(values);
    }
}

// The same by statement, for a catalogue the snapshot declines.
template <typename Read>
void queryRows(const QString &table, std::initializer_list<const char *> names, Read read)
{
    const QSqlDatabase db = QSqlDatabase::database(QLatin1String(QSqlDatabase::defaultConnection), false);
    if (!db.isOpen())
        return;
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("select * from ") + table))
        return;
    const QSqlRecord record = query.record();
    QVector<int> columns;
    for (const char *name : names)
        columns << record.indexOf(QLatin1String(name));
    while (query.next()) {
        QVector<QVariant> values;
        for (int column : qAsConst(columns))
            values << (column >= 0 ? query.value(column) : QVariant());
        read(values);
    }
}

} // namespace

const PoeCatalogue::Tables &PoeCatalogue::tables()
{
    // The catalogue is used from the GUI thread only.
    static Tables s_tables;
    const CatalogueSnapshot *snapshot = CatalogueSnapshot::current();
    if (snapshot && snapshot->generation() == s_tables.generation)
        return s_tables;

    s_tables = Tables();
    const auto awg = [](const QVector<QVariant> &v) { addAwg(s_tables, v.at(0), v.at(1)); };
    const auto model = [](const QVector<QVariant> &v) { addModel(s_tables, v.at(0), v.at(1), v.at(2), v.at(3)); };
    if (snapshot) {
        s_tables.generation = snapshot->generation();
        readRows(snapshot->wire(), {"model", "awg"}, awg);
        readRows(snapshot->pd(), {"name", "camera_total_power_max", "bitrate", "camera_slots"}, model);
    } else {
        queryRows(QStringLiteral("wire"), {"model", "awg"}, awg);
        queryRows(QStringLiteral("pd"), {"name", "camera_total_power_max", "bitrate", "camera_slots"}, model);
    }
    return s_tables;
}
