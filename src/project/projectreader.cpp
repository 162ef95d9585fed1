#include "project/projectreader.h"

#include "catalogue/catalogue.h"
#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "diagram/wire.h"
#include "print/projectdoc.h"
#include "project/projectimagecodec.h"
#include "propertysets/qtnpropertysetproject.h"

#include <QGraphicsItem>
#include <QIODevice>
#include <cmath>

namespace {

// Unreadable numbers count as 0: a hand-edited file with "12,5" or "abc" in
// a position still loads, with that item at the sheet's corner.
int toIntOrZero(QStringRef text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? value : 0;
}

uint toUIntOrZero(const QString &text)
{
    bool ok = false;
    const uint value = text.toUInt(&ok, 10);
    return ok ? value : 0;
}

// "inf" and "nan" parse as numbers but are no place on a sheet; the scene's
// index and the wire routing cannot work with them.
double toCoordinateOrZero(QStringRef text)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0.0;
}

} // namespace

ProjectReader::ProjectReader(ProjectDoc *doc)
    : m_doc(doc)
{
}

bool ProjectReader::read(QIODevice *device)
{
    m_xml.setDevice(device);
    m_itemsById.clear();
    m_stackRank.clear();
    m_stackRankValid = false;

    // Wires may name items that were in the scene before this read.
    const QList<QGraphicsItem *> existing = m_doc->scene()->items(Qt::AscendingOrder);
    for (QGraphicsItem *graphicsItem : existing) {
        if (graphicsItem->type() == DiagramItem::Type)
            rememberItem(static_cast<DiagramItem *>(graphicsItem));
    }

    // Every point read asks for the enclosure list and every camera for the
    // model list; the catalogue cannot change while a file is read, so it is
    // looked at once.
    Catalogue::Pass catalogue;
    if (m_xml.readNextStartElement()) {
        if (m_xml.name() == QLatin1String("mox")
            && m_xml.attributes().value(QLatin1String("version")) == QLatin1String("1.0"))
            readMox();
        else
            m_xml.raiseError(tr("Plik nie jest kompatybilny z MOX wersja 1.0."));
    }

    // A point with many cameras would sort its wires and route them all
    // again for every wire read; sorting the final lists once gives the same
    // order (the sort is stable and the items no longer move), and the
    // routes depend only on where the items stand.
    for (DiagramItem *item : qAsConst(m_wiredOrder))
        item->updateWires();
    m_wiredItems.clear();
    m_wiredOrder.clear();

    // The device stays set: detaching it would clear the error that
    // errorString() reports.
    return !m_xml.hasError();
}

QString ProjectReader::errorString() const
{
    return tr("%1\nLine %2, column %3")
        .arg(m_xml.errorString(), QString::number(m_xml.lineNumber()), QString::number(m_xml.columnNumber()));
}

void ProjectReader::readMox()
{
    while (m_xml.readNextStartElement()) {
        const QStringRef name = m_xml.name();
        if (name == QLatin1String("pd"))
            readItem(DiagramItem::PD);
        else if (name == QLatin1String("camera"))
            readItem(DiagramItem::Camera);
        else if (name == QLatin1String("wire"))
            readWire();
        else if (name == QLatin1String("project"))
            readProject();
        else
            m_xml.skipCurrentElement();
    }
}

void ProjectReader::readProject()
{
    DiagramScene *scene = m_doc->scene();
    // Archive settings are written only when they differ from the defaults:
    // a project without them has the defaults.
    QtnPropertySetProject *project = scene->projectSet();
    project->resetArchiveSettings();
    while (m_xml.readNextStartElement()) {
        const QString name = m_xml.name().toString();
        if (name == QLatin1String("name"))
            scene->setInvestmentName(readText());
        else if (name == QLatin1String("create"))
            scene->setCreateDate(readText());
        else if (name == QLatin1String("address"))
            scene->setInvestmentAddress(readText());
        else if (name == QLatin1String("comment"))
            scene->setInvestmentComments(readText());
        else if (name == QLatin1String("color_wires"))
            scene->setColorWires(readText());
        else if (name == QLatin1String("color_cameras"))
            scene->setColorCameras(readText());
        else if (name == QLatin1String("color_pds"))
            scene->setColorPD(readText());
        else if (name == QLatin1String("customer_logo"))
            m_doc->setLogo(ProjectImageCodec::decode(readText(), &m_refusedImageSize));
        else if (name == QLatin1String("background"))
            m_doc->setBackground(ProjectImageCodec::decode(readText(), &m_refusedImageSize));
        else if (name == QLatin1String("archive_days"))
            readSetting(project->ArchiveDays);
        else if (name == QLatin1String("recording_hours"))
            readSetting(project->RecordingHours);
        else if (name == QLatin1String("storage_reserve"))
            readSetting(project->StorageReserve);
        else
            m_xml.skipCurrentElement();
    }
}

void ProjectReader::readItem(int diagramType)
{
    const QXmlStreamAttributes attributes = m_xml.attributes();
    const double x = toCoordinateOrZero(attributes.value(QLatin1String("x")));
    const double y = toCoordinateOrZero(attributes.value(QLatin1String("y")));
    const int id = toIntOrZero(attributes.value(QLatin1String("id")));
    const int rotation = toIntOrZero(attributes.value(QLatin1String("rotation")));

    DiagramItem *item = new DiagramItem(DiagramItem::DiagramType(diagramType), nullptr);
    item->fileId = id;
    item->setPos(x, y);
    item->setRotation(rotation);
    m_doc->scene()->addItem(item);
    rememberItem(item);

    while (m_xml.readNextStartElement()) {
        if (diagramType == DiagramItem::PD)
            readPdParameter(item);
        else
            readCameraParameter(item);
    }
}

void ProjectReader::readPdParameter(DiagramItem *item)
{
    const QStringRef name = m_xml.name();
    if (name == QLatin1String("location"))
        item->setLocation(readText());
    else if (name == QLatin1String("number"))
        item->setNumber(readUInt());
    else if (name == QLatin1String("model"))
        item->setModel(readText());
    else if (name == QLatin1String("power230"))
        item->setPower230(readYes());
    else if (name == QLatin1String("backup"))
        item->setBackup(readYes());
    else if (name == QLatin1String("calculate"))
        item->setCalculateAccumulator(readYes());
    else if (name == QLatin1String("batterySet"))
        item->setAccumulatorCapacity(readUInt());
    else if (name == QLatin1String("batteryCount"))
        item->setBackupHours(readUInt());
    else if (name == QLatin1String("boxtype"))
        item->setBoxType(readText());
    else if (name == QLatin1String("nvr"))
        item->setNvr(readYes());
    else if (name == QLatin1String("pc"))
        item->setPc(readYes());
    else if (name == QLatin1String("bitrate"))
        item->setBitrate(readInt());
    else
        m_xml.skipCurrentElement();
}

void ProjectReader::readCameraParameter(DiagramItem *item)
{
    const QStringRef name = m_xml.name();
    if (name == QLatin1String("location"))
        item->setLocation(readText());
    else if (name == QLatin1String("number"))
        item->setNumber(readUInt());
    else if (name == QLatin1String("model"))
        item->setModel(readText());
    else if (name == QLatin1String("power"))
        item->setPower(readUInt());
    else if (name == QLatin1String("bitrate"))
        item->setBitrate(readInt());
    else
        m_xml.skipCurrentElement();
}

void ProjectReader::readWire()
{
    const QXmlStreamAttributes attributes = m_xml.attributes();
    const int startId = toIntOrZero(attributes.value(QLatin1String("start")));
    const int endId = toIntOrZero(attributes.value(QLatin1String("end")));
    const uint length = toUIntOrZero(attributes.value(QLatin1String("lenght")).toString());
    const QString model = attributes.value(QLatin1String("model")).toString();
    m_xml.skipCurrentElement();

    DiagramItem *start = findItem(startId);
    DiagramItem *end = findItem(endId);
    // A cable needs two different devices; the scene never draws one from an
    // item to itself, and such a loop would sit in every tree walk.
    if (!start || !end || start == end)
        return;

    Wire *wire = new Wire(start, end);
    wire->setLength(length);
    wire->setType(model);
    // Sorted once the last wire is read (see read()).
    start->appendWire(wire);
    end->appendWire(wire);
    for (DiagramItem *item : {start, end}) {
        if (!m_wiredItems.contains(item)) {
            m_wiredItems.insert(item);
            m_wiredOrder << item;
        }
    }
    wire->setZValue(-1000.0);
    m_doc->scene()->addItem(wire);
    wire->updatePosition();
}

QString ProjectReader::readText()
{
    // Markup inside a text element is not ours; its text is dropped with it.
    return m_xml.readElementText(QXmlStreamReader::SkipChildElements);
}

bool ProjectReader::readYes()
{
    return readText() == QLatin1String("yes");
}

int ProjectReader::readInt()
{
    bool ok = false;
    const int value = readText().toInt(&ok, 10);
    return ok ? value : 0;
}

uint ProjectReader::readUInt()
{
    return toUIntOrZero(readText());
}

void ProjectReader::readSetting(QtnPropertyUInt &setting)
{
    // Unreadable text keeps the value; one out of range is refused by the
    // property and keeps it too.
    bool ok = false;
    const uint value = readText().toUInt(&ok, 10);
    if (ok && value != setting.value())
        setting.setValue(value);
}

void ProjectReader::rememberItem(DiagramItem *item)
{
    QList<DiagramItem *> &holders = m_itemsById[item->fileId];
    holders << item;
    if (holders.size() > 1)
        m_stackRankValid = false;
}

DiagramItem *ProjectReader::findItem(int fileId)
{
    const auto it = m_itemsById.constFind(fileId);
    if (it == m_itemsById.constEnd())
        return nullptr;
    const QList<DiagramItem *> &holders = it.value();
    if (holders.size() == 1)
        return holders.first();

    // Several items carry the id: the one on top of the stack wins, as a
    // search through the scene from bottom to top would find it last.
    if (!m_stackRankValid) {
        m_stackRank.clear();
        const QList<QGraphicsItem *> items = m_doc->scene()->items(Qt::AscendingOrder);
        int rank = 0;
        for (QGraphicsItem *graphicsItem : items) {
            if (graphicsItem->type() == DiagramItem::Type)
                m_stackRank.insert(static_cast<DiagramItem *>(graphicsItem), rank++);
        }
        m_stackRankValid = true;
    }
    DiagramItem *best = nullptr;
    int bestRank = -1;
    for (DiagramItem *candidate : holders) {
        const int rank = m_stackRank.value(candidate, -1);
        if (rank >= bestRank) {
            best = candidate;
            bestRank = rank;
        }
    }
    return best;
}
