#include "calc/modelselection.h"

#include "calc/calcpass.h"
#include "calc/pddiagnosis.h"
#include "diagram/diagramitem.h"
#include "property/core/qtnenuminfo.h"
#include "propertysets/moxenums.h"
#include "propertysets/qtnpropertysetpd.h"

#include <QDebug>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>

#include <memory>

namespace {

// The catalogue is the default connection. It is never opened here: a
// missing catalogue must stay missing, not be created empty by SQLite. A
// statement on a catalogue that is not open fails, as it would in SQL, only
// without filling the log on every pass.
QSqlDatabase catalogue()
{
    return QSqlDatabase::database(QLatin1String(QSqlDatabase::defaultConnection), false);
}

// A point's own list of fitting models. The enumeration property only points
// at its description, so the description lives in a child object of the
// property and goes when the property goes.
class PdModelList : public QObject
{
public:
    static constexpr const char *ObjectName = "pdModelList";

    PdModelList(QObject *owner, const QStringList &names)
        : QObject(owner)
    {
        setObjectName(QLatin1String(ObjectName));
        QVector<QtnEnumValueInfo> models;
        models.reserve(names.size());
        for (int i = 0; i < names.size(); ++i) {
            const int value = i + 1;
            models.append(QtnEnumValueInfo(value, QStringLiteral("pd%1").arg(value), names.at(i)));
        }
        info = std::make_unique<QtnEnumInfo>(QStringLiteral("PDTYPE"), MoxEnums::notSpecifiedList());
        info->setSecondValues(models);
    }

    std::unique_ptr<QtnEnumInfo> info;
};

// Attaches a new "PDTYPE" list of these names to the point's "Model" and
// keeps the model that was chosen, found by its text. Because value 1 is the
// first fitting model, a point with no model, or with one that no longer
// fits, gets the first that does.
void applyModelList(DiagramItem *point, QtnPropertySetPD *set, const QStringList &names,
                    const QString &remembered)
{
    QtnPropertyEnum &model = set->Model;
    QObject *old = model.findChild<QObject *>(QLatin1String(PdModelList::ObjectName),
                                              Qt::FindDirectChildrenOnly);
    auto *list = new PdModelList(&model, names);
    model.setEnumInfo(list->info.get());
    delete old;

    const QtnEnumInfo &info = *list->info;
    const bool anyFits = info.findByValue(1) != nullptr;
    const QtnEnumValueInfo *found = info.findByDisplayName(remembered, Qt::CaseSensitive);
    if (!found || found->value() == MoxEnums::NotSpecified) {
        if (anyFits) {
            model.setValue(1);
            point->setToolTip(QString());
            point->setModelMissing(false);
        } else if (!found) {
            model.setValue(MoxEnums::NotSpecified);
            point->setModelMissing(true);
        }
    } else {
        model.setValue(found->value());
    }
    if (found)
        qDebug() << " model " << remembered;
}

} // namespace

void installModelSelection()
{
    if (!DiagramItem::hasModelSelector())
        DiagramItem::setModelSelector(&ModelSelection::select);
}

PdRequirements ModelSelection::requirements(const DiagramItem *point)
{
    PdRequirements r;
    const QtnPropertySetPD *set = point ? point->pdSet() : nullptr;
    if (!set)
        return r;
    r.slotCount = point->usedSlots();
    r.backup = point->hasBackup() ? 1 : 0;
    r.mains = point->hasPower230();
    r.power = point->totalPower();
    r.bitrate = point->totalBitrate();
    r.boxTypeRequired = set->BoxType.value() != MoxEnums::NotSpecified;
    if (r.boxTypeRequired)
        r.boxType = point->boxTypeName();
    return r;
}

QStringList ModelSelection::fittingModels(const QString &statement)
{
    CalcPass *pass = CalcPass::current();
    if (pass) {
        const auto it = pass->modelNames.constFind(statement);
        if (it != pass->modelNames.constEnd())
            return it.value();
    }
    QStringList names;
    const QSqlDatabase db = catalogue();
    QSqlQuery query(db);
    if (db.isOpen() && query.exec(statement)) {
        const int column = query.record().indexOf(QStringLiteral("name"));
        while (query.next())
            names.append(query.value(column).toString());
    }
    if (pass)
        pass->modelNames.insert(statement, names);
    return names;
}

bool ModelSelection::finds(const QString &statement)
{
    qDebug() << statement;
    CalcPass *pass = CalcPass::current();
    if (pass) {
        const auto it = pass->finds.constFind(statement);
        if (it != pass->finds.constEnd())
            return it.value();
    }
    const QSqlDatabase db = catalogue();
    QSqlQuery query(db);
    const bool found = db.isOpen() && query.exec(statement) && query.next();
    if (pass)
        pass->finds.insert(statement, found);
    return found;
}

QList<int> ModelSelection::modelBitrates(const QString &name)
{
    CalcPass *pass = CalcPass::current();
    if (pass) {
        const auto it = pass->modelBitrates.constFind(name);
        if (it != pass->modelBitrates.constEnd())
            return it.value();
    }
    QList<int> rates;
    const QSqlDatabase db = catalogue();
    QSqlQuery query(db);
    if (db.isOpen() && query.prepare(QStringLiteral("select * from pd where name = (:name)"))) {
        query.bindValue(QStringLiteral(":name"), name);
        query.exec();
        const int column = query.record().indexOf(QStringLiteral("bitrate"));
        while (query.next())
            rates.append(query.value(column).toInt());
    }
    if (pass)
        pass->modelBitrates.insert(name, rates);
    return rates;
}

void ModelSelection::select(DiagramItem *point)
{
    QtnPropertySetPD *set = point ? point->pdSet() : nullptr;
    if (!set)
        return;

    const QString before = point->modelName();
    qDebug() << "model" << before;
    const QString statement = requirements(point).selectionStatement();
    qDebug() << statement;
    applyModelList(point, set, fittingModels(statement), before);

    if (set->Model.value() == MoxEnums::NotSpecified)
        point->setModelMissing(true);
    if (set->Model.value() == MoxEnums::NotSpecified || point->modelMissing()) {
        const PdDiagnosis diagnosis = PdDiagnosis::run(requirements(point), &ModelSelection::finds);
        point->setSlotOverflow(diagnosis.slotOverflow);
        point->setToolTip(diagnosis.toolTip);
    }

    // The throughput of a box is the catalogue's, not the user's. It is read
    // when the text the model had before this selection differs from the
    // one remembered, which is one selection late: a change of model is read
    // on the selection that makes it and once more on the next one.
    if (before != point->lastModelText()) {
        const QString current = point->modelName();
        const QList<int> rates = modelBitrates(current);
        for (int rate : rates) {
            point->setBitrate(rate);
            point->setLastModelText(current);
        }
    }
    point->setLastModelText(before);
}
