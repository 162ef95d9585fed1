#include "check/poecatalogue.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

namespace {

struct Tables
{
    QHash<QString, int> awgs;
    QHash<QString, PoeCatalogue::PointModel> models;
};

// Every row of a table, its columns read by name (0 for a missing one).
template <typename Read>
void readTable(const QSqlDatabase &db, const QString &table, Read read)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("select * from ") + table))
        return;
    const QSqlRecord record = query.record();
    const auto column = [&](const char *name) {
        const int index = record.indexOf(QLatin1String(name));
        return index < 0 ? QVariant() : query.value(index);
    };
    while (query.next())
        read(column);
}

// The tables of the open catalogue, read on first use (on the GUI thread,
// like every catalogue access). A closed or missing catalogue is not
// remembered: it may be opened later.
const Tables &tables()
{
    static QString s_file;
    static Tables s_tables;
    static const Tables s_none;
    const QSqlDatabase db = QSqlDatabase::database(QLatin1String(QSqlDatabase::defaultConnection), false);
    if (!db.isOpen())
        return s_none;
    if (db.databaseName() == s_file)
        return s_tables;
    s_file = db.databaseName();
    s_tables = Tables();
    readTable(db, QStringLiteral("wire"), [](auto column) {
        const int awg = column("awg").toInt();
        if (awg > 0)
            s_tables.awgs.insert(column("model").toString(), awg);
    });
    readTable(db, QStringLiteral("pd"), [](auto column) {
        PoeCatalogue::PointModel model;
        model.powerBudget = column("camera_total_power_max").toInt();
        model.bitrate = column("bitrate").toInt();
        model.slotCount = column("camera_slots").toInt();
        s_tables.models.insert(column("name").toString(), model);
    });
    return s_tables;
}

template <typename Value>
QHash<QString, Value> pick(const QHash<QString, Value> &all, const QStringList &names)
{
    QHash<QString, Value> picked;
    for (const QString &name : names) {
        const auto found = all.constFind(name);
        if (found != all.constEnd())
            picked.insert(name, found.value());
    }
    return picked;
}

} // namespace

QHash<QString, int> PoeCatalogue::cableAwgs(const QStringList &cableTypes)
{
    return pick(tables().awgs, cableTypes);
}

QHash<QString, PoeCatalogue::PointModel> PoeCatalogue::pointModels(const QStringList &names)
{
    return pick(tables().models, names);
}
