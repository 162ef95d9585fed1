#include "testhelpers.h"
#include "networkbuilder.h"

#include "diagram/diagramscene.h"
#include "print/projectdoc.h"
#include "project/projectwriter.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QGraphicsSceneMouseEvent>
#include <QRegularExpression>

QByteArray tst::fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool tst::writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size() && file.flush();
}

void tst::sendMouse(QGraphicsScene *scene, QEvent::Type type, const QPointF &pos, const QPointF &downPos,
                    Qt::MouseButton button, Qt::KeyboardModifiers mods)
{
    QGraphicsSceneMouseEvent event(type);
    event.setScenePos(pos);
    event.setScreenPos(pos.toPoint());
    event.setButton(type == QEvent::GraphicsSceneMouseMove ? Qt::NoButton : button);
    event.setButtons(type == QEvent::GraphicsSceneMouseRelease ? Qt::NoButton : Qt::MouseButtons(button));
    event.setButtonDownScenePos(button, downPos);
    event.setModifiers(mods);
    QApplication::sendEvent(scene, &event);
}

void tst::press(QGraphicsScene *scene, const QList<QPointF> &path, Qt::KeyboardModifiers mods, Qt::MouseButton button)
{
    for (int i = 0; i <= path.size(); ++i) {
        const QEvent::Type type = i == 0 ? QEvent::GraphicsSceneMousePress
                                  : i == path.size() ? QEvent::GraphicsSceneMouseRelease
                                                     : QEvent::GraphicsSceneMouseMove;
        sendMouse(scene, type, path.at(qMin(i, path.size() - 1)), path.first(), button, mods);
    }
}

QByteArray tst::projectBytes(ProjectDoc *doc)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ProjectWriter(doc).write(&buffer);
    return buffer.data();
}

bool tst::writeProject(ProjectDoc *doc, const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && ProjectWriter(doc).write(&file);
}

bool tst::writeSampleProject(const QString &path, const QString &name)
{
    ProjectDoc doc;
    doc.scene()->setInvestmentName(name);
    NetworkBuilder builder(doc.scene());
    builder.connect(builder.addPd(QPointF(300, 300), 1), builder.addCamera(QPointF(450, 200), 1), 40);
    return writeProject(&doc, path);
}

bool tst::PdfPages::isA4(bool landscape) const
{
    const QSizeF a4 = landscape ? QSizeF(841.9, 595.3) : QSizeF(595.3, 841.9);
    return qAbs(size.width() - a4.width()) < 1.5 && qAbs(size.height() - a4.height()) < 1.5;
}

tst::PdfPages tst::pdfPages(const QByteArray &pdf)
{
    // Binary streams and all: a plain conversion would stop at the first 0.
    const QString text = QString::fromLatin1(pdf.constData(), pdf.size());
    PdfPages pages;
    const QRegularExpressionMatch count =
        QRegularExpression(QStringLiteral("/Type /Pages\\s*/Kids\\s*\\[[^\\]]*\\]\\s*/Count (\\d+)")).match(text);
    if (count.hasMatch())
        pages.count = count.captured(1).toInt();
    const QRegularExpressionMatch box =
        QRegularExpression(QStringLiteral("/MediaBox \\[\\s*0 0 ([0-9.]+) ([0-9.]+)\\s*\\]")).match(text);
    if (box.hasMatch())
        pages.size = QSizeF(box.captured(1).toDouble(), box.captured(2).toDouble());
    return pages;
}
