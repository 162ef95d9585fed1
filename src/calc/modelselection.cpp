#include "calc/modelselection.h"

#include "calc/calcpass.h"
#include "calc/networkcalc.h"
#include "calc/pddiagnosis.h"
#include "catalogue/catalogue.h"
#include "catalogue/cataloguesnapshot.h"
#include "diagram/diagramitem.h"
#include "log/moxlog.h"
#include "propertysets/moxenums.h"
#include "propertysets/qtnpropertysetpd.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

// The catalogue is the default connection. It is never opened here: a
// missing catalogue must stay missing, not be created empty by SQLite. A
// statement on a catalogue that is not open fails, as it would in SQL, only
// without filling the log on every pass.
QSqlDatabase catalogue()
{
    return QSqlDatabase::database(QLatin1String(QSqlDatabase::defaultConnection), false);
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
    qCDebug(MoxLog::calc) << statement;
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

namespace {

// What a model selection of a point saw and left behind. Run again on the
// same needs against the same catalogue snapshot, from the state it left,
// the selection would rebuild the same list, keep the same model, find the
// same diagnosis and read no bitrate: it is skipped.
class SelectionMemo : public DiagramItem::CalcMemo
{
public:
    PdRequirements requirements;
    quint64 generation = 0;
    int model = 0;
    quint64 listStamp = 0;
    bool modelMissing = false;
    bool slotOverflow = false;
    QString toolTip;

    void record(const DiagramItem *point, const PdRequirements &seen, quint64 snapshotGeneration)
    {
        const QtnPropertySetPD *set = point->pdSet();
        requirements = seen;
        generation = snapshotGeneration;
        model = set->Model.value();
        listStamp = Catalogue::listStamp(set->Model);
        modelMissing = point->modelMissing();
        slotOverflow = point->slotOverflow();
        toolTip = point->toolTip();
    }

    bool unchanged(const DiagramItem *point, const PdRequirements &now, quint64 snapshotGeneration) const
    {
        const QtnPropertySetPD *set = point->pdSet();
        // The bitrate is read whenever the model text before a selection
        // differs from the one remembered; once they agree, it is not.
        return generation == snapshotGeneration && requirements == now && model == set->Model.value()
                && listStamp == Catalogue::listStamp(set->Model) && modelMissing == point->modelMissing()
                && slotOverflow == point->slotOverflow() && toolTip == point->toolTip()
                && point->lastModelText() == point->modelName();
    }
};

} // namespace

void ModelSelection::select(DiagramItem *point)
{
    QtnPropertySetPD *set = point ? point->pdSet() : nullptr;
    if (!set)
        return;
    if (Catalogue::answerSource() == Catalogue::Statements) {
        selectByStatements(point);
        return;
    }

    const CatalogueSnapshot *snapshot = CatalogueSnapshot::current();
    const PdRequirements needs = requirements(point);
    auto *memo = dynamic_cast<SelectionMemo *>(point->calcMemo());
    if (snapshot && memo && !NetworkCalc::everyStepTaken() && memo->unchanged(point, needs, snapshot->generation()))
        return;

    const QString before = point->modelName();
    qCDebug(MoxLog::calc) << "model" << before;
    qCDebug(MoxLog::calc) << needs.selectionStatement();
    bool missing = point->modelMissing();
    QString toolTip = point->toolTip();
    // New needs often fit the very models the point lists already: the list
    // stays, which a rebuild would only have replaced by an equal one.
    const QStringList fitting = Catalogue::fittingPdModels(needs.criteria());
    if (NetworkCalc::everyStepTaken())
        Catalogue::setPdModels(set->Model, fitting, before, &missing, &toolTip);
    else
        Catalogue::updatePdModels(set->Model, fitting, before, &missing, &toolTip);
    point->setModelMissing(missing);
    point->setToolTip(toolTip);

    if (set->Model.value() == MoxEnums::NotSpecified)
        point->setModelMissing(true);
    if (set->Model.value() == MoxEnums::NotSpecified || point->modelMissing()) {
        // The needs are those of the statement above: nothing in between
        // touches the point's wires, loads or options.
        const PdDiagnosis diagnosis = PdDiagnosis::run(needs, [](const PdCriteria &criteria) {
            qCDebug(MoxLog::calc) << criteria.statement();
            return Catalogue::findsPdModel(criteria);
        });
        point->setSlotOverflow(diagnosis.slotOverflow);
        point->setToolTip(diagnosis.toolTip);
    }

    if (before != point->lastModelText()) {
        const QString current = point->modelName();
        const QList<int> rates = Catalogue::pdBitrates(current);
        for (int rate : rates) {
            point->setBitrate(rate);
            point->setLastModelText(current);
        }
    }
    point->setLastModelText(before);

    if (snapshot) {
        if (!memo) {
            memo = new SelectionMemo;
            point->setCalcMemo(std::unique_ptr<DiagramItem::CalcMemo>(memo));
        }
        memo->record(point, needs, snapshot->generation());
    }
}

// Every statement run, every list rebuilt, as the definition reads; the
// answers of one pass are kept by the pass, as before there was a snapshot.
void ModelSelection::selectByStatements(DiagramItem *point)
{
    QtnPropertySetPD *set = point->pdSet();
    const QString before = point->modelName();
    qCDebug(MoxLog::calc) << "model" << before;
    const QString statement = requirements(point).selectionStatement();
    qCDebug(MoxLog::calc) << statement;
    // The point's own "PDTYPE" list; the model chosen before is kept by its
    // text while it still fits, otherwise the first fitting model is taken.
    bool missing = point->modelMissing();
    QString toolTip = point->toolTip();
    Catalogue::setPdModels(set->Model, fittingModels(statement), before, &missing, &toolTip);
    point->setModelMissing(missing);
    point->setToolTip(toolTip);

    if (set->Model.value() == MoxEnums::NotSpecified)
        point->setModelMissing(true);
    if (set->Model.value() == MoxEnums::NotSpecified || point->modelMissing()) {
        const PdDiagnosis diagnosis = PdDiagnosis::run(requirements(point), [](const PdCriteria &criteria) {
            return ModelSelection::finds(criteria.statement());
        });
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
