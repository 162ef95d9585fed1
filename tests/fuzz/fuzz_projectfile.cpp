// The project reader on arbitrary bytes: open them as the editor opens a
// file, into a sheet without a window, calculate until the sheet settles,
// write it, open that file in a second sheet, and demand the same items,
// wires and project data. The bundled catalogue is loaded once, so models
// and enclosures resolve as in the editor.
#include "fuzzsupport.h"
#include "testcatalogue.h"
#include "testhelpers.h"

#include "app/projectloader.h"
#include "calc/calcloop.h"
#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "diagram/wire.h"
#include "print/projectdoc.h"
#include "project/projectwriter.h"

#include <QFile>
#include <QGraphicsItem>
#include <QHash>
#include <QPixmap>
#include <QTemporaryDir>

namespace {

// The editor's open command without its messages; a file the reader stops
// in keeps what was read before the error, and that is calculated and saved
// like a whole file.
bool open(ProjectDoc &doc, const QString &path)
{
    ProjectLoader loader(&doc);
    QFile file(path);
    const bool whole = loader.read(file) == ProjectLoader::Loaded;
    loader.showSheet();
    loader.prepareItems(nullptr);
    loader.settle();
    return whole;
}

// XML 1.0 cannot carry every character a property may hold (control
// characters, lone surrogates, U+FFFE/U+FFFF); a file keeps the text without
// them, so that is what a round trip must give back.
QString storable(const QString &text)
{
    QString out;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const ushort u = c.unicode();
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            out += c;
            out += text.at(++i);
        } else if (u == 0x9 || u == 0xA || u == 0xD || (u >= 0x20 && u <= 0xD7FF) || (u >= 0xE000 && u <= 0xFFFD)) {
            out += c;
        }
    }
    return out;
}

QString number(double v)
{
    return QString::number(v, 'g', 6);
}

QString yes(bool on)
{
    return on ? QStringLiteral("y") : QStringLiteral("n");
}

QString imageSize(const QPixmap &pixmap)
{
    return pixmap.isNull() ? QStringLiteral("none") : QStringLiteral("%1x%2").arg(pixmap.width()).arg(pixmap.height());
}

// Everything a project file stores, one line per item and wire, in the order
// the writer puts them: points, cameras (each in stacking order), wires.
QStringList describe(ProjectDoc &doc)
{
    const DiagramScene *scene = doc.scene();
    QStringList out{storable(scene->investmentName()), storable(scene->createDate()),
                    storable(scene->investmentAddress()), storable(scene->investmentComments()),
                    scene->colorWires(), scene->colorCameras(), scene->colorPD(), imageSize(doc.logo()),
                    imageSize(doc.background())};

    QList<DiagramItem *> pds;
    QList<DiagramItem *> cameras;
    QList<Wire *> wires;
    for (QGraphicsItem *item : scene->items(Qt::AscendingOrder)) {
        if (item->type() == DiagramItem::Type) {
            DiagramItem *d = static_cast<DiagramItem *>(item);
            (d->diagramType() == DiagramItem::PD ? pds : cameras) << d;
        } else if (item->type() == Wire::Type) {
            wires << static_cast<Wire *>(item);
        }
    }
    QHash<const DiagramItem *, int> index;
    for (DiagramItem *d : pds + cameras) {
        index.insert(d, index.size());
        QStringList fields{QString::number(d->diagramType()), number(d->pos().x()), number(d->pos().y()),
                           QString::number(d->rotation()), storable(d->location()), QString::number(d->number()),
                           storable(d->modelName()), QString::number(d->bitrate())};
        if (d->diagramType() == DiagramItem::PD)
            fields << yes(d->hasPower230()) << yes(d->hasBackup()) << yes(d->calculateAccumulator())
                   << QString::number(d->accumulatorCapacity()) << QString::number(d->backupHours())
                   << storable(d->boxTypeName()) << yes(d->hasNvr()) << yes(d->hasPc());
        else
            fields << QString::number(d->power());
        out << fields.join(QLatin1Char('|'));
    }
    for (const Wire *w : qAsConst(wires))
        out << QStringLiteral("wire %1>%2 %3 m %4")
                   .arg(index.value(w->startItem(), -1))
                   .arg(index.value(w->endItem(), -1))
                   .arg(w->length())
                   .arg(storable(w->typeName()));
    return out;
}

// A point rereads its model's throughput one selection late (it remembers
// the model text of the selection before), so a sheet settles after a
// second calculation; opening it calculates again. The settled state is what
// a saved file must reproduce.
QStringList settle(ProjectDoc &doc)
{
    QStringList state = describe(doc);
    for (int run = 0; run < 4; ++run) {
        CalcLoop(doc.scene()).run();
        const QStringList next = describe(doc);
        if (next == state)
            return state;
        state = next;
    }
    fuzz::fail(QStringLiteral("the calculation does not settle:\n") + state.join(QLatin1Char('\n')));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::ensureApplication();
    static QTemporaryDir *folder = new QTemporaryDir;
    static TestCatalogue *catalogue = [] {
        auto *bundled = new TestCatalogue;
        if (!bundled->createBundled())
            fuzz::fail(QStringLiteral("the bundled catalogue does not build: ") + bundled->lastError());
        return bundled;
    }();
    Q_UNUSED(catalogue);

    const QString input = folder->filePath(QStringLiteral("input.mox"));
    if (!tst::writeBytes(input, fuzz::bytes(data, size)))
        fuzz::fail(QStringLiteral("cannot write %1").arg(input));
    ProjectDoc doc(nullptr);
    open(doc, input);
    const QStringList before = settle(doc);

    QFile saved(folder->filePath(QStringLiteral("saved.mox")));
    if (!saved.open(QIODevice::WriteOnly | QIODevice::Truncate) || !ProjectWriter(&doc).write(&saved))
        fuzz::fail(QStringLiteral("the writer failed on a temporary file"));
    saved.close();

    // Opening calculates: the model of a point is chosen anew from the
    // catalogue, whatever the file says.
    ProjectDoc again(nullptr);
    if (!open(again, saved.fileName())) {
        saved.open(QIODevice::ReadOnly);
        fuzz::fail(QStringLiteral("the reader refuses what the writer wrote:\n") + QString::fromUtf8(saved.readAll()));
    }
    const QStringList after = settle(again);
    if (after != before) {
        QString difference;
        for (int i = 0; i < qMax(before.size(), after.size()); ++i) {
            const QString b = before.value(i, QStringLiteral("<none>"));
            const QString a = after.value(i, QStringLiteral("<none>"));
            if (a != b)
                difference += QStringLiteral("\n  before: %1\n  after:  %2").arg(b, a);
        }
        fuzz::fail(QStringLiteral("a saved project reads back different:") + difference);
    }
    return 0;
}
