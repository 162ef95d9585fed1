#include "catalogue/catalogue.h"

#include "log/moxlog.h"
#include "property/core/qtnenuminfo.h"
#include "property/core/qtnpropertyenum.h"
#include "propertysets/moxenums.h"
#include "propertysets/qtnpropertysetcamera.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>

const char* const Catalogue::BoxTypesStatement = "select boxtype from pd group by boxtype;";
const char* const Catalogue::CameraModelsStatement = "select * from camera";
const char* const Catalogue::WireTypesStatement = "select * from wire";
const char* const Catalogue::PdByNameStatement = "select * from pd where name = (:name)";
const char* const Catalogue::CameraByModelStatement = "select * from camera where model = (:model)";

namespace {

Catalogue::AnswerSource s_answerSource = Catalogue::Snapshot;

// The snapshot to answer from, or null when the statements answer.
const CatalogueSnapshot* snapshot()
{
    return s_answerSource == Catalogue::Snapshot ? CatalogueSnapshot::current() : nullptr;
}

// A per-item catalogue list lives as a child object of the enumeration
// property that shows it: the property only points at its list, and this way
// the list goes when the property goes, or when the next refresh replaces it.
class CatalogueList : public QObject
{
public:
    CatalogueList(QObject* property, const QtnEnumInfo& list, quint64 fromGeneration)
        : QObject(property),
          info(list),
          generation(fromGeneration),
          stamp(++lastStamp)
    {
    }
    QtnEnumInfo info;
    // The snapshot the entries came from; 0 for a statement's answer.
    const quint64 generation;
    const quint64 stamp;

private:
    static quint64 lastStamp;
};

quint64 CatalogueList::lastStamp = 0;

CatalogueList* attachedList(const QtnPropertyEnum& property)
{
    const QObjectList children = property.children();
    for (QObject* child : children) {
        if (auto* list = dynamic_cast<CatalogueList*>(child))
            return list;
    }
    return nullptr;
}

// The connection start-up left, never opened from here: opening a missing
// catalogue would create an empty file in its place.
QSqlDatabase catalogueDatabase()
{
    return QSqlDatabase::database(QLatin1String(QSqlDatabase::defaultConnection), false);
}

QVector<QtnEnumValueInfo> catalogueEntries(const QStringList& texts, int firstValue, const QString& namePrefix)
{
    QVector<QtnEnumValueInfo> entries;
    entries.reserve(texts.size());
    for (int i = 0; i < texts.size(); ++i) {
        const int value = firstValue + i;
        const QString name = namePrefix + QString::number(value);
        entries.append(QtnEnumValueInfo(value, name, texts.at(i).isEmpty() ? name : texts.at(i)));
    }
    return entries;
}

// The entries of a list the snapshot feeds to every item alike (camera
// models, enclosures, cable types), built once per snapshot and shared by
// all items: the vector is implicitly shared.
struct SharedEntries {
    quint64 generation = 0;
    QVector<QtnEnumValueInfo> entries;

    const QVector<QtnEnumValueInfo>& of(quint64 snapshotGeneration, const QStringList& texts, int firstValue,
                                        const QString& namePrefix)
    {
        if (generation != snapshotGeneration) {
            entries = catalogueEntries(texts, firstValue, namePrefix);
            generation = snapshotGeneration;
        }
        return entries;
    }
};

SharedEntries s_cameraEntries;
SharedEntries s_boxTypeEntries;
SharedEntries s_wireEntries;

// The answers kept by passes when the statements answer.
int s_passDepth = 0;
bool s_boxTypesKept = false;
QStringList s_boxTypes;
bool s_cameraModelsKept = false;
QStringList s_cameraModels;

} // namespace

void Catalogue::setAnswerSource(AnswerSource source)
{
    s_answerSource = source;
}

Catalogue::AnswerSource Catalogue::answerSource()
{
    return s_answerSource;
}

void Catalogue::reloadSnapshot()
{
    CatalogueSnapshot::invalidate();
    CatalogueSnapshot::current();
}

Catalogue::Pass::Pass()
{
    ++s_passDepth;
}

Catalogue::Pass::~Pass()
{
    if (--s_passDepth == 0) {
        s_boxTypesKept = false;
        s_boxTypes.clear();
        s_cameraModelsKept = false;
        s_cameraModels.clear();
    }
}

QStringList Catalogue::columnTexts(const QString& statement, const QString& column)
{
    QStringList texts;
    QSqlQuery query(catalogueDatabase());
    if (!query.exec(statement))
        return texts;
    const int index = query.record().indexOf(column);
    while (query.next())
        texts << query.value(index).toString();
    return texts;
}

bool Catalogue::hasRows(const QString& statement)
{
    QSqlQuery query(catalogueDatabase());
    return query.exec(statement) && query.next();
}

QString Catalogue::displayText(const QtnPropertyEnum& property)
{
    const QtnEnumInfo* info = property.enumInfo();
    if (!info)
        return QString();
    const QtnEnumValueInfo* entry = info->findByValue(property.value());
    return entry ? entry->displayName() : QString();
}

quint64 Catalogue::listStamp(const QtnPropertyEnum& property)
{
    const CatalogueList* list = attachedList(property);
    return list && property.enumInfo() == &list->info ? list->stamp : 0;
}

bool Catalogue::rebuildList(QtnPropertyEnum& property, const QString& remembered, const QString& enumName,
                            const QStringList& texts, int firstValue, const QString& namePrefix, bool modelList,
                            bool* modelMissing, QString* toolTip, const char* logWord, quint64 generation)
{
    QtnEnumInfo list(enumName, MoxEnums::notSpecifiedList());
    if (generation) {
        SharedEntries* shared = firstValue == 1 ? nullptr
                : namePrefix == QLatin1String("cam") ? &s_cameraEntries : &s_boxTypeEntries;
        list.setSecondValues(shared ? shared->of(generation, texts, firstValue, namePrefix)
                                    : catalogueEntries(texts, firstValue, namePrefix));
    } else {
        list.setSecondValues(catalogueEntries(texts, firstValue, namePrefix));
    }
    CatalogueList* previous = attachedList(property);
    auto* current = new CatalogueList(&property, list, generation);
    property.setEnumInfo(&current->info);
    delete previous;
    return keepSelection(property, remembered, modelList, modelMissing, toolTip, logWord);
}

// A list built from the same snapshot as the one attached would be the same
// list: it stays, and only the selection is kept as a rebuild would keep it.
bool Catalogue::reuseList(QtnPropertyEnum& property, const QString& enumName, quint64 generation)
{
    const CatalogueList* list = attachedList(property);
    return generation && list && list->generation == generation && property.enumInfo() == &list->info
            && list->info.name() == enumName;
}

// The list attached now, built from a statement's answer, holds exactly the
// entries rebuildList would make of these texts.
bool Catalogue::holdsList(const QtnPropertyEnum& property, const QString& enumName, const QStringList& texts,
                          int firstValue, const QString& namePrefix)
{
    const CatalogueList* list = attachedList(property);
    if (!list || property.enumInfo() != &list->info || list->generation != 0 || list->info.name() != enumName)
        return false;
    const QVector<QtnEnumValueInfo>& entries = list->info.secondValues();
    if (entries.size() != texts.size())
        return false;
    for (int i = 0; i < texts.size(); ++i) {
        const QtnEnumValueInfo& entry = entries.at(i);
        const int value = firstValue + i;
        const QString name = namePrefix + QString::number(value);
        if (entry.value() != value || entry.name() != name
            || entry.displayName() != (texts.at(i).isEmpty() ? name : texts.at(i)))
            return false;
    }
    return true;
}

bool Catalogue::keepSelection(QtnPropertyEnum& property, const QString& remembered, bool modelList,
                              bool* modelMissing, QString* toolTip, const char* logWord)
{
    const QtnEnumInfo* info = property.enumInfo();
    // Only the model list of a distribution point has a value 1: its first
    // fitting model, which replaces a selection that no longer fits.
    const bool hasFirstModel = info->findByValue(1) != nullptr;
    const auto takeFirstModel = [&]() {
        property.setValue(1);
        if (toolTip)
            toolTip->clear();
        if (modelList && modelMissing)
            *modelMissing = false;
    };

    const QtnEnumValueInfo* found = info->findByDisplayName(remembered, Qt::CaseSensitive);
    if (!found) {
        if (hasFirstModel) {
            takeFirstModel();
        } else {
            property.setValue(MoxEnums::NotSpecified);
            if (modelList && modelMissing)
                *modelMissing = true;
        }
        return false;
    }
    if (found->value() == MoxEnums::NotSpecified) {
        if (hasFirstModel)
            takeFirstModel();
    } else {
        property.setValue(found->value());
    }
    qCDebug(MoxLog::catalogue).noquote() << QLatin1String(logWord) + remembered;
    return true;
}

bool Catalogue::refreshCameraModels(QtnPropertyEnum& model, bool* modelMissing, QString* toolTip)
{
    quint64 generation = 0;
    const QStringList texts = cameraModels(&generation);
    if (reuseList(model, QStringLiteral("CAMERATYPE"), generation))
        return keepSelection(model, displayText(model), true, modelMissing, toolTip, " model ");
    return rebuildList(model, displayText(model), QStringLiteral("CAMERATYPE"), texts, 3, QStringLiteral("cam"), true,
                       modelMissing, toolTip, " model ", generation);
}

bool Catalogue::refreshBoxTypes(QtnPropertyEnum& boxType)
{
    quint64 generation = 0;
    const QStringList texts = boxTypes(&generation);
    if (reuseList(boxType, QStringLiteral("BOXTYPE"), generation))
        return keepSelection(boxType, displayText(boxType), false, nullptr, nullptr, " boxtype ");
    return rebuildList(boxType, displayText(boxType), QStringLiteral("BOXTYPE"), texts, 3, QStringLiteral("boxtype"),
                       false, nullptr, nullptr, " boxtype ", generation);
}

QStringList Catalogue::boxTypes(quint64* generation)
{
    if (const CatalogueSnapshot* s = snapshot()) {
        *generation = s->generation();
        return s->boxTypes();
    }
    *generation = 0;
    if (s_passDepth > 0 && s_boxTypesKept)
        return s_boxTypes;
    const QStringList texts = columnTexts(QLatin1String(BoxTypesStatement), QStringLiteral("boxtype"));
    if (s_passDepth > 0) {
        s_boxTypes = texts;
        s_boxTypesKept = true;
    }
    return texts;
}

QStringList Catalogue::cameraModels(quint64* generation)
{
    if (const CatalogueSnapshot* s = snapshot()) {
        *generation = s->generation();
        return s->cameraModels();
    }
    *generation = 0;
    if (s_passDepth > 0 && s_cameraModelsKept)
        return s_cameraModels;
    const QStringList texts = columnTexts(QLatin1String(CameraModelsStatement), QStringLiteral("model"));
    if (s_passDepth > 0) {
        s_cameraModels = texts;
        s_cameraModelsKept = true;
    }
    return texts;
}

void Catalogue::refreshWireTypes(QtnPropertyEnum& model)
{
    QtnEnumInfo& shared = MoxEnums::wireType();
    // An empty or missing table keeps what earlier wires found.
    if (const CatalogueSnapshot* s = snapshot()) {
        if (!s->wireModels().isEmpty())
            shared.setSecondValues(s_wireEntries.of(s->generation(), s->wireModels(), 3, QStringLiteral("cam")));
    } else {
        const QStringList texts = columnTexts(QLatin1String(WireTypesStatement), QStringLiteral("model"));
        if (!texts.isEmpty())
            shared.setSecondValues(catalogueEntries(texts, 3, QStringLiteral("cam")));
    }
    model.setEnumInfo(&shared);
    model.setValue(MoxEnums::NotSpecified);
}

bool Catalogue::rebuildPdModels(QtnPropertyEnum& model, const QString& selectionStatement, bool* modelMissing,
                                QString* toolTip)
{
    return setPdModels(model, columnTexts(selectionStatement, QStringLiteral("name")), modelMissing, toolTip);
}

bool Catalogue::setPdModels(QtnPropertyEnum& model, const QStringList& names, bool* modelMissing, QString* toolTip)
{
    return setPdModels(model, names, displayText(model), modelMissing, toolTip);
}

bool Catalogue::setPdModels(QtnPropertyEnum& model, const QStringList& names, const QString& rememberedText,
                            bool* modelMissing, QString* toolTip)
{
    return rebuildList(model, rememberedText, QStringLiteral("PDTYPE"), names, 1, QStringLiteral("pd"), true,
                       modelMissing, toolTip, " model ");
}

bool Catalogue::updatePdModels(QtnPropertyEnum& model, const QStringList& names, const QString& rememberedText,
                               bool* modelMissing, QString* toolTip)
{
    if (holdsList(model, QStringLiteral("PDTYPE"), names, 1, QStringLiteral("pd")))
        return keepSelection(model, rememberedText, true, modelMissing, toolTip, " model ");
    return setPdModels(model, names, rememberedText, modelMissing, toolTip);
}

QStringList Catalogue::fittingPdModels(const PdCriteria& criteria)
{
    QStringList names;
    if (const CatalogueSnapshot* s = snapshot()) {
        if (s->fittingModels(criteria, &names))
            return names;
    }
    // Never a statement on a connection that is not open: it would only fail.
    if (!catalogueDatabase().isOpen())
        return names;
    return columnTexts(criteria.statement(), QStringLiteral("name"));
}

bool Catalogue::findsPdModel(const PdCriteria& criteria)
{
    bool found = false;
    if (const CatalogueSnapshot* s = snapshot()) {
        if (s->finds(criteria, &found))
            return found;
    }
    return catalogueDatabase().isOpen() && hasRows(criteria.statement());
}

QList<int> Catalogue::pdBitrates(const QString& name)
{
    QList<int> rates;
    if (const CatalogueSnapshot* s = snapshot()) {
        if (s->pdBitrates(name, &rates))
            return rates;
    }
    const QSqlDatabase db = catalogueDatabase();
    QSqlQuery query(db);
    if (!db.isOpen() || !query.prepare(QLatin1String(PdByNameStatement)))
        return rates;
    query.bindValue(QStringLiteral(":name"), name);
    if (!query.exec())
        return rates;
    const int column = query.record().indexOf(QStringLiteral("bitrate"));
    while (query.next())
        rates.append(query.value(column).toInt());
    return rates;
}

bool Catalogue::lookupCamera(const QString& model, int* power, int* bitrate, int* fourthColumn)
{
    if (const CatalogueSnapshot* s = snapshot()) {
        const QVector<QVariant>* row = nullptr;
        if (s->cameraByModel(model, &row)) {
            if (!row)
                return false;
            const CatalogueSnapshot::Table& camera = s->camera();
            const auto column = [&](const QString& name) {
                const int index = camera.column(name);
                return index >= 0 ? row->at(index) : QVariant();
            };
            if (power)
                *power = column(QStringLiteral("power")).toInt();
            if (bitrate)
                *bitrate = column(QStringLiteral("bitrate")).toInt();
            if (fourthColumn)
                *fourthColumn = row->size() > 3 ? row->at(3).toInt() : 0;
            return true;
        }
    }
    QSqlQuery query(catalogueDatabase());
    if (!query.prepare(QLatin1String(CameraByModelStatement)))
        return false;
    query.bindValue(QStringLiteral(":model"), model);
    if (!query.exec() || !query.next())
        return false;
    const QSqlRecord record = query.record();
    if (power)
        *power = query.value(record.indexOf(QStringLiteral("power"))).toInt();
    if (bitrate)
        *bitrate = query.value(record.indexOf(QStringLiteral("bitrate"))).toInt();
    if (fourthColumn)
        *fourthColumn = record.count() > 3 ? query.value(3).toInt() : 0;
    return true;
}

bool Catalogue::applyCameraModel(QtnPropertySetCamera& camera)
{
    const QString model = displayText(camera.Model);
    int power = 0;
    int bitrate = 0;
    int fourth = 0;
    if (!lookupCamera(model, &power, &bitrate, &fourth))
        return false;
    qCDebug(MoxLog::catalogue).noquote() << "select * from camera" << model << power << bitrate << fourth;
    // Negative catalogue figures must not wrap into huge watts; the range
    // refuses them either way.
    camera.Power.setValue(power < 0 ? 0u : quint32(power));
    camera.Bitrate.setValue(bitrate);
    return true;
}

bool Catalogue::lookupPdBitrate(const QString& name, int* bitrate)
{
    const QList<int> rates = pdBitrates(name);
    if (rates.isEmpty())
        return false;
    if (bitrate)
        *bitrate = rates.last();
    return true;
}
