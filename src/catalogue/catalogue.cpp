#include "catalogue/catalogue.h"

#include "property/core/qtnenuminfo.h"
#include "property/core/qtnpropertyenum.h"
#include "propertysets/moxenums.h"
#include "propertysets/qtnpropertysetcamera.h"
#include "log/moxlog.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>

const char* const Catalogue::BoxTypesStatement = "select boxtype from pd group by boxtype;";
const char* const Catalogue::CameraModelsStatement = "select * from camera";
const char* const Catalogue::WireTypesStatement = "select * from wire";
const char* const Catalogue::PdByNameStatement = "select * from pd where name = (:name)";
const char* const Catalogue::CameraByModelStatement = "select * from camera where model = (:model)";

namespace {

// A per-item catalogue list lives as a child object of the enumeration
// property that shows it: the property only points at its list, and this way
// the list goes when the property goes, or when the next refresh replaces it.
class CatalogueList : public QObject
{
public:
    CatalogueList(QObject* property, const QtnEnumInfo& list)
        : QObject(property),
          info(list)
    {
    }
    QtnEnumInfo info;
};

CatalogueList* attachedList(QtnPropertyEnum& property)
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

} // namespace

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

bool Catalogue::rebuildList(QtnPropertyEnum& property, const QString& remembered, const QString& enumName,
                            const QStringList& texts, int firstValue, const QString& namePrefix, bool modelList,
                            bool* modelMissing, QString* toolTip, const char* logWord)
{
    QtnEnumInfo list(enumName, MoxEnums::notSpecifiedList());
    list.setSecondValues(catalogueEntries(texts, firstValue, namePrefix));
    CatalogueList* previous = attachedList(property);
    auto* current = new CatalogueList(&property, list);
    property.setEnumInfo(&current->info);
    delete previous;

    // Only the model list of a distribution point has a value 1: its first
    // fitting model, which replaces a selection that no longer fits.
    const bool hasFirstModel = current->info.findByValue(1) != nullptr;
    const auto takeFirstModel = [&]() {
        property.setValue(1);
        if (toolTip)
            toolTip->clear();
        if (modelList && modelMissing)
            *modelMissing = false;
    };

    const QtnEnumValueInfo* found = current->info.findByDisplayName(remembered, Qt::CaseSensitive);
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
    return rebuildList(model, displayText(model), QStringLiteral("CAMERATYPE"),
                       cameraModels(), 3,
                       QStringLiteral("cam"), true, modelMissing, toolTip, " model ");
}

bool Catalogue::refreshBoxTypes(QtnPropertyEnum& boxType)
{
    return rebuildList(boxType, displayText(boxType), QStringLiteral("BOXTYPE"), boxTypes(), 3,
                       QStringLiteral("boxtype"), false, nullptr, nullptr, " boxtype ");
}

namespace {
int boxTypeCacheScopes = 0;
bool boxTypeCacheFilled = false;
QStringList boxTypeCacheTexts;
} // namespace

Catalogue::BoxTypeCache::BoxTypeCache()
{
    ++boxTypeCacheScopes;
}

Catalogue::BoxTypeCache::~BoxTypeCache()
{
    if (--boxTypeCacheScopes == 0) {
        boxTypeCacheFilled = false;
        boxTypeCacheTexts.clear();
    }
}

QStringList Catalogue::boxTypes()
{
    if (boxTypeCacheScopes > 0 && boxTypeCacheFilled)
        return boxTypeCacheTexts;
    const QStringList texts = columnTexts(QLatin1String(BoxTypesStatement), QStringLiteral("boxtype"));
    if (boxTypeCacheScopes > 0) {
        boxTypeCacheTexts = texts;
        boxTypeCacheFilled = true;
    }
    return texts;
}

namespace {
int cameraModelCacheScopes = 0;
bool cameraModelCacheFilled = false;
QStringList cameraModelCacheTexts;
} // namespace

Catalogue::CameraModelCache::CameraModelCache()
{
    ++cameraModelCacheScopes;
}

Catalogue::CameraModelCache::~CameraModelCache()
{
    if (--cameraModelCacheScopes == 0) {
        cameraModelCacheFilled = false;
        cameraModelCacheTexts.clear();
    }
}

QStringList Catalogue::cameraModels()
{
    if (cameraModelCacheScopes > 0 && cameraModelCacheFilled)
        return cameraModelCacheTexts;
    const QStringList texts = columnTexts(QLatin1String(CameraModelsStatement), QStringLiteral("model"));
    if (cameraModelCacheScopes > 0) {
        cameraModelCacheTexts = texts;
        cameraModelCacheFilled = true;
    }
    return texts;
}

void Catalogue::refreshWireTypes(QtnPropertyEnum& model)
{
    QtnEnumInfo& shared = MoxEnums::wireType();
    const QStringList texts = columnTexts(QLatin1String(WireTypesStatement), QStringLiteral("model"));
    // An empty or missing table keeps what earlier wires found.
    if (!texts.isEmpty())
        shared.setSecondValues(catalogueEntries(texts, 3, QStringLiteral("cam")));
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

bool Catalogue::lookupCamera(const QString& model, int* power, int* bitrate, int* fourthColumn)
{
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
    QSqlQuery query(catalogueDatabase());
    if (!query.prepare(QLatin1String(PdByNameStatement)))
        return false;
    query.bindValue(QStringLiteral(":name"), name);
    if (!query.exec())
        return false;
    bool found = false;
    const int index = query.record().indexOf(QStringLiteral("bitrate"));
    while (query.next()) {
        found = true;
        if (bitrate)
            *bitrate = query.value(index).toInt();
    }
    return found;
}
