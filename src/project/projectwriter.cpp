#include "project/projectwriter.h"

#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "diagram/wire.h"
#include "print/projectdoc.h"
#include "project/projectimagecodec.h"
#include "propertysets/qtnpropertysetproject.h"

#include <QGraphicsItem>
#include <QList>
#include <QStringList>

namespace {

// Characters that XML 1.0 cannot carry at all (control characters, lone
// surrogates, U+FFFE/U+FFFF) can reach a text through the clipboard. Left in,
// they make the stream writer fail or write a file no reader accepts; the
// designer's project would be lost over an invisible character.
QString xmlText(const QString &text)
{
    QString out;
    const int n = text.size();
    out.reserve(n);
    for (int i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        const ushort u = c.unicode();
        if (c.isHighSurrogate() && i + 1 < n && text.at(i + 1).isLowSurrogate()) {
            out += c;
            out += text.at(++i);
        } else if ((u >= 0x20 && !c.isSurrogate() && u != 0xfffe && u != 0xffff) || u == '\t' || u == '\n'
                   || u == '\r') {
            out += c;
        }
    }
    return out;
}

} // namespace

ProjectWriter::ProjectWriter(ProjectDoc *doc)
    : m_doc(doc)
{
    m_xml.setAutoFormatting(true);
}

bool ProjectWriter::write(QIODevice *device)
{
    m_xml.setDevice(device);
    m_xml.writeStartDocument();
    m_xml.writeDTD(QStringLiteral("<!DOCTYPE mox>"));
    m_xml.writeStartElement(QStringLiteral("mox"));
    m_xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.0"));

    writeProject();

    // File ids run over all diagram items in stacking order, whatever their
    // kind, so that the wires written last can name both of their ends.
    QList<DiagramItem *> pds;
    QList<DiagramItem *> cameras;
    QList<Wire *> wires;
    int nextId = 0;
    const QList<QGraphicsItem *> items = m_doc->scene()->items(Qt::AscendingOrder);
    for (QGraphicsItem *graphicsItem : items) {
        if (graphicsItem->type() == DiagramItem::Type) {
            DiagramItem *item = static_cast<DiagramItem *>(graphicsItem);
            item->fileId = nextId++;
            if (item->diagramType() == DiagramItem::PD)
                pds << item;
            else if (item->diagramType() == DiagramItem::Camera)
                cameras << item;
        } else if (graphicsItem->type() == Wire::Type) {
            wires << static_cast<Wire *>(graphicsItem);
        }
    }

    for (const DiagramItem *item : qAsConst(pds))
        writePd(item);
    for (const DiagramItem *item : qAsConst(cameras))
        writeCamera(item);
    for (const Wire *wire : qAsConst(wires))
        writeWire(wire);

    m_xml.writeEndDocument();
    m_xml.setDevice(nullptr);
    return !m_xml.hasError();
}

void ProjectWriter::writeProject()
{
    const DiagramScene *scene = m_doc->scene();
    m_xml.writeStartElement(QStringLiteral("project"));
    writeText(QStringLiteral("name"), scene->investmentName());
    writeText(QStringLiteral("create"), scene->createDate());
    writeText(QStringLiteral("address"), scene->investmentAddress());
    writeText(QStringLiteral("comment"), scene->investmentComments());
    m_xml.writeTextElement(QStringLiteral("color_wires"), scene->colorWires());
    m_xml.writeTextElement(QStringLiteral("color_cameras"), scene->colorCameras());
    m_xml.writeTextElement(QStringLiteral("color_pds"), scene->colorPD());
    m_xml.writeTextElement(QStringLiteral("customer_logo"), ProjectImageCodec::encode(m_doc->logo()));
    m_xml.writeTextElement(QStringLiteral("background"), ProjectImageCodec::encode(m_doc->background()));
    // Archive settings only when changed, so that a project that keeps the
    // defaults is written exactly as before they existed.
    const QtnPropertySetProject *project = scene->projectSet();
    if (!project->archiveSettingsAreDefault()) {
        m_xml.writeTextElement(QStringLiteral("archive_days"), QString::number(project->ArchiveDays.value()));
        m_xml.writeTextElement(QStringLiteral("recording_hours"), QString::number(project->RecordingHours.value()));
        m_xml.writeTextElement(QStringLiteral("storage_reserve"), QString::number(project->StorageReserve.value()));
    }
    m_xml.writeEndElement();
}

void ProjectWriter::writeItemAttributes(const DiagramItem *item)
{
    m_xml.writeAttribute(QStringLiteral("id"), QString::number(item->fileId));
    // Six significant digits keep every position on the 1188 x 840 sheet
    // exact to a hundredth of a unit, which is finer than the mouse places.
    m_xml.writeAttribute(QStringLiteral("x"), QString::number(item->pos().x(), 'g', 6));
    m_xml.writeAttribute(QStringLiteral("y"), QString::number(item->pos().y(), 'g', 6));
    m_xml.writeAttribute(QStringLiteral("rotation"), QString::number(item->rotation()));
}

void ProjectWriter::writeText(const QString &name, const QString &text)
{
    const QString stored = xmlText(text);
    if (!stored.contains(QLatin1Char('\r'))) {
        m_xml.writeTextElement(name, stored);
        return;
    }
    // A carriage return written as it is comes back as a line feed (XML's
    // end-of-line rule) or not at all (a file opened as text); as a
    // character reference it comes back as itself.
    m_xml.writeStartElement(name);
    const QStringList lines = stored.split(QLatin1Char('\r'));
    for (int i = 0; i < lines.size(); ++i) {
        if (i > 0)
            m_xml.writeEntityReference(QStringLiteral("#13"));
        if (!lines.at(i).isEmpty())
            m_xml.writeCharacters(lines.at(i));
    }
    m_xml.writeEndElement();
}

void ProjectWriter::writeYesNo(const QString &name, bool yes)
{
    m_xml.writeTextElement(name, yes ? QStringLiteral("yes") : QStringLiteral("no"));
}

void ProjectWriter::writePd(const DiagramItem *item)
{
    m_xml.writeStartElement(QStringLiteral("pd"));
    writeItemAttributes(item);
    writeText(QStringLiteral("location"), item->location());
    m_xml.writeTextElement(QStringLiteral("number"), QString::number(item->number()));
    writeText(QStringLiteral("model"), item->modelName());
    // The battery entries follow the order in which the point's rules open
    // them up: supply, backup, calculation, then the two figures.
    writeYesNo(QStringLiteral("power230"), item->hasPower230());
    writeYesNo(QStringLiteral("backup"), item->hasBackup());
    writeYesNo(QStringLiteral("calculate"), item->calculateAccumulator());
    m_xml.writeTextElement(QStringLiteral("batterySet"), QString::number(item->accumulatorCapacity()));
    m_xml.writeTextElement(QStringLiteral("batteryCount"), QString::number(item->backupHours()));
    writeText(QStringLiteral("boxtype"), item->boxTypeName());
    writeYesNo(QStringLiteral("nvr"), item->hasNvr());
    writeYesNo(QStringLiteral("pc"), item->hasPc());
    m_xml.writeTextElement(QStringLiteral("bitrate"), QString::number(item->bitrate()));
    m_xml.writeEndElement();
}

void ProjectWriter::writeCamera(const DiagramItem *item)
{
    m_xml.writeStartElement(QStringLiteral("camera"));
    writeItemAttributes(item);
    writeText(QStringLiteral("location"), item->location());
    m_xml.writeTextElement(QStringLiteral("number"), QString::number(item->number()));
    writeText(QStringLiteral("model"), item->modelName());
    m_xml.writeTextElement(QStringLiteral("power"), QString::number(item->power()));
    m_xml.writeTextElement(QStringLiteral("bitrate"), QString::number(item->bitrate()));
    m_xml.writeEndElement();
}

void ProjectWriter::writeWire(const Wire *wire)
{
    m_xml.writeEmptyElement(QStringLiteral("wire"));
    m_xml.writeAttribute(QStringLiteral("model"), xmlText(wire->typeName()));
    // The attribute name is misspelt in every project file ever written; it
    // stays that way so old and new files read alike.
    m_xml.writeAttribute(QStringLiteral("lenght"), QString::number(wire->length()));
    m_xml.writeAttribute(QStringLiteral("start"), QString::number(wire->startItem()->fileId));
    m_xml.writeAttribute(QStringLiteral("end"), QString::number(wire->endItem()->fileId));
}
