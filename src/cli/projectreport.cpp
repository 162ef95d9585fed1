#include "cli/projectreport.h"

#include "calc/backupbattery.h"
#include "check/poecheck.h"
#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "diagram/wire.h"
#include "print/projectdoc.h"
#include "propertysets/moxenums.h"
#include "propertysets/qtnpropertysetcamera.h"
#include "propertysets/qtnpropertysetpd.h"

#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

namespace {

// PoE is specified for 100 m of cable; the editor marks anything longer.
const uint kLongCable = 100;

QString modelText(const DiagramItem *item, const QtnPropertyEnum &model)
{
    return model.value() == MoxEnums::NotSpecified ? QString() : item->modelName();
}

// The slot count of the chosen model; the first catalogue row of that name
// decides, as it does for the model list.
int catalogueSlots(const QString &model)
{
    if (model.isEmpty() || !QSqlDatabase::database().isOpen())
        return -1;
    QSqlQuery query;
    query.prepare(QStringLiteral("select camera_slots from pd where name = (:name)"));
    query.bindValue(QStringLiteral(":name"), model);
    if (!query.exec() || !query.next())
        return -1;
    return query.value(0).toInt();
}

ProjectReport::Point pointFigures(const DiagramItem *item)
{
    const QtnPropertySetPD *set = item->pdSet();
    ProjectReport::Point p;
    p.label = item->numberText();
    p.location = item->location();
    p.model = modelText(item, set->Model);
    p.boxType = set->BoxType.value() == MoxEnums::NotSpecified ? QString() : item->boxTypeName();
    p.mains = item->hasPower230();
    p.nvr = item->hasNvr();
    p.pc = item->hasPc();
    if (!p.mains && !item->powerFeeder().isEmpty())
        p.feeder = item->powerFeeder().first()->numberText();
    p.slotsUsed = item->usedSlots();
    p.slotsAvailable = catalogueSlots(p.model);
    p.loadW = item->totalPower();
    p.bitrateKbps = item->totalBitrate();
    p.voutV = set->Vout.value();
    p.vinV = set->Vin.value();
    p.voltageLossV = set->AdvancedPD.VoltageLoss.value();
    p.lowVoltage = item->lowVoltage();
    p.longCable = item->extenderRequired();
    // The editor works the battery out when the point is selected; the file
    // may hold figures of an earlier load, so they are worked out here the
    // same way, from the load of now.
    p.backup = item->hasBackup();
    if (p.backup) {
        if (item->calculateAccumulator()) {
            p.backupHours = item->backupHours();
            p.batteryAh = BackupBattery::capacity(p.loadW, p.backupHours);
        } else {
            p.batteryAh = item->accumulatorCapacity();
            p.backupHours = BackupBattery::backupTime(p.loadW, p.batteryAh);
        }
    }
    return p;
}

ProjectReport::Camera cameraFigures(const DiagramItem *item)
{
    const QtnPropertySetCamera *set = item->cameraSet();
    ProjectReport::Camera c;
    c.label = item->numberText();
    c.location = item->location();
    c.model = modelText(item, set->Model);
    c.modelMissing = item->modelMissing();
    c.powerW = item->power();
    c.bitrateKbps = item->bitrate();
    if (item->wires().size() == 1) {
        const Wire *wire = item->wires().first();
        c.cableM = int(wire->length());
        const DiagramItem *other = wire->otherEnd(item);
        if (other && other->diagramType() == DiagramItem::PD)
            c.point = other->numberText();
    }
    c.vinV = set->Vin.value();
    c.voltageLossV = set->Advanced.VoltageLoss.value();
    c.lowVoltage = item->lowVoltage();
    c.longCable = item->extenderRequired();
    return c;
}

} // namespace

ProjectReport ProjectReport::of(const ProjectDoc *doc, const QString &file, const QString &catalogue)
{
    ProjectReport report;
    report.file = file;
    report.catalogue = catalogue;
    const DiagramScene *scene = doc->scene();
    report.name = scene->investmentName();
    report.address = scene->investmentAddress();
    report.comments = scene->investmentComments();
    report.createDate = scene->createDate();

    // Ascending stacking order is the order of the project file.
    const QList<QGraphicsItem *> items = scene->items(Qt::AscendingOrder);
    QList<const DiagramItem *> points;
    QList<const DiagramItem *> cameras;
    for (const QGraphicsItem *graphicsItem : items) {
        if (graphicsItem->type() != DiagramItem::Type)
            continue;
        const auto *item = static_cast<const DiagramItem *>(graphicsItem);
        if (item->diagramType() == DiagramItem::PD) {
            report.points << pointFigures(item);
            points << item;
        } else if (item->diagramType() == DiagramItem::Camera) {
            report.cameras << cameraFigures(item);
            cameras << item;
        }
    }
    report.collectProblems(doc);

    // The PoE check after the calculation, as the editor runs it.
    const PoeCheckResult check = PoeCheck::run(scene);
    QSet<const QGraphicsItem *> withErrors;
    for (const PoeFinding &finding : check.findings) {
        if (finding.severity == PoeFinding::Severity::Error)
            withErrors.insert(finding.element);
    }
    for (int i = 0; i < points.size(); ++i) {
        if (const PoeCheckResult::Recorder *recorder = check.recorder(points.at(i)))
            report.points[i].storageTB = PoeCheck::shownStorage(recorder->storageTB);
        report.points[i].checkError = withErrors.contains(points.at(i));
    }
    for (int i = 0; i < cameras.size(); ++i)
        report.cameras[i].checkError = withErrors.contains(cameras.at(i));
    report.addFindings(check.findings);
    return report;
}

void ProjectReport::addFindings(const QVector<PoeFinding> &remarks)
{
    checked = true;
    for (const PoeFinding &remark : remarks) {
        const Finding::Severity severity = remark.severity == PoeFinding::Severity::Error     ? Finding::Error
                                           : remark.severity == PoeFinding::Severity::Warning ? Finding::Warning
                                                                                              : Finding::Info;
        findings << Finding{severity, remark.elementName, remark.remark()};
        // The budget may be content where the physics is not: an error of
        // the check makes the project as unfit to build as the budget's own.
        if (severity == Finding::Error)
            problems << Problem{Problem::CheckError, remark.elementName, remark.remark()};
    }
}

void ProjectReport::collectProblems(const ProjectDoc *doc)
{
    auto voltageProblem = [this](const QString &label, double vin) {
        problems << Problem{Problem::LowVoltage, label,
                            vin > 0 ? tr("napięcie %1 V (40 V lub mniej)").arg(vin, 0, 'f', 2)
                                    : tr("brak zasilania")};
    };
    for (const Point &p : qAsConst(points)) {
        if (p.model.isEmpty())
            problems << Problem{Problem::NoModel, p.label, tr("brak modelu z katalogu")};
        if (p.lowVoltage)
            voltageProblem(p.label, p.vinV);
    }
    for (const Camera &c : qAsConst(cameras)) {
        if (c.lowVoltage)
            voltageProblem(c.label, c.vinV);
    }
    const QList<QGraphicsItem *> items = doc->scene()->items(Qt::AscendingOrder);
    for (const QGraphicsItem *graphicsItem : items) {
        if (graphicsItem->type() != Wire::Type)
            continue;
        const auto *wire = static_cast<const Wire *>(graphicsItem);
        if (wire->length() > kLongCable)
            problems << Problem{Problem::LongCable,
                                wire->startItem()->numberText() + QString::fromUtf8(" – ")
                                        + wire->endItem()->numberText(),
                                tr("przewód %1 m (ponad 100 m)").arg(wire->length())};
    }
}

QString ProjectReport::kindKey(Problem::Kind kind)
{
    switch (kind) {
    case Problem::LowVoltage:
        return QStringLiteral("lowVoltage");
    case Problem::LongCable:
        return QStringLiteral("longCable");
    case Problem::NoModel:
        return QStringLiteral("noModel");
    case Problem::CheckError:
        return QStringLiteral("checkError");
    }
    return QString();
}

QString ProjectReport::severityKey(Finding::Severity severity)
{
    switch (severity) {
    case Finding::Error:
        return QStringLiteral("error");
    case Finding::Warning:
        return QStringLiteral("warning");
    case Finding::Info:
        return QStringLiteral("info");
    }
    return QString();
}
