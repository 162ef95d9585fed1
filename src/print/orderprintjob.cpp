#include "print/orderprintjob.h"

#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "print/orderdocument.h"
#include "print/schematicprint.h"
#include "propertysets/qtnpropertysetpd.h"

#include <QAbstractButton>
#include <QDir>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QUrl>

namespace {

// Value 0 of "Model" is "Nie określono": no catalogue model fits the point.
bool hasNoCatalogueModel(const DiagramItem *point)
{
    const QtnPropertySetPD *set = point->pdSet();
    return set && int(set->Model.value()) == 0;
}

} // namespace

OrderPrintJob::OrderPrintJob(DiagramScene *scene, QTextEdit *editor, const QPixmap &logo,
                             const Hooks &hooks)
    : m_scene(scene), m_editor(editor), m_logo(logo), m_hooks(hooks)
{
}

bool OrderPrintJob::splitOverflowingPoints(DiagramScene *scene,
                                           const std::function<bool(DiagramItem *)> &split,
                                           const std::function<void()> &recalculate)
{
    if (!scene || !split)
        return false;
    bool addedAny = false;
    bool addedInPass = true;
    // The points a split creates and the points it leaves behind may still
    // overflow, so passes repeat until one finds nothing more to split. A
    // split itself recalculates nothing: without the recalculation between
    // passes the point just split would still carry its old overflow flag
    // and be offered again and again.
    while (addedInPass) {
        if (addedAny && recalculate)
            recalculate();
        addedInPass = false;
        const QList<QGraphicsItem *> items = scene->items(Qt::AscendingOrder);
        for (QGraphicsItem *item : items) {
            if (item->type() != DiagramItem::Type)
                continue;
            DiagramItem *point = static_cast<DiagramItem *>(item);
            if (point->diagramType() != DiagramItem::PD)
                continue;
            if (hasNoCatalogueModel(point) && point->slotOverflow() && split(point)) {
                addedInPass = true;
                addedAny = true;
            }
        }
    }
    return addedAny;
}

void OrderPrintJob::prepareContinueQuestion(QMessageBox &box)
{
    box.setText(tr("W projekcie dodano nowe punkty dystrybucyjne.\n"
                   "Czy kontytuować generowanie zamówienia?"));
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    box.button(QMessageBox::Yes)->setText(tr("Tak"));
    box.button(QMessageBox::No)->setText(tr("Nie"));
}

QString OrderPrintJob::fillEditor(DiagramScene *scene, QTextEdit *editor, const QPixmap &logo)
{
    editor->clear();

    OrderDocument order;
    order.collect(scene);
    order.merge();

    OrderProjectData project;
    project.name = scene->investmentName();
    project.address = scene->investmentAddress();
    project.comments = scene->investmentComments();
    project.createDate = scene->createDate();
    const QString html = order.html(!logo.isNull(), project);

    editor->document()->addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("customerlogo")),
                                    logo);
    editor->setHtml(html);
    QTextCursor cursor = editor->textCursor();
    editor->setTextCursor(cursor);
    return html;
}

QString OrderPrintJob::outputFileName(const QString &projectName)
{
    return QDir::homePath() + QDir::separator() + QStringLiteral("mox") + QDir::separator()
           + projectName + QStringLiteral("_order");
}

void OrderPrintJob::preparePrinter(QPrinter &printer, const QString &projectName)
{
    // a folder that cannot be made shows up as a failed printout, nothing more
    QDir(QDir::homePath()).mkdir(QStringLiteral("mox"));
    preparePdfPrinter(printer, outputFileName(projectName));
}

void OrderPrintJob::preparePdfPrinter(QPrinter &printer, const QString &fileName)
{
    SchematicPrint::preparePdf(printer, fileName, QPageLayout::Portrait);
}

bool OrderPrintJob::run()
{
    if (splitOverflowingPoints(m_scene, m_hooks.splitOverflow, m_hooks.recalculate)) {
        QMessageBox box;
        prepareContinueQuestion(box);
        const int answer = m_hooks.execMessageBox ? m_hooks.execMessageBox(box) : int(QMessageBox::Yes);
        // the points added by the split stay on the schematic either way
        if (answer != QMessageBox::Yes)
            return false;
    }

    fillEditor(m_scene, m_editor, m_logo);
    if (m_hooks.appendSections)
        m_hooks.appendSections(m_editor->document());

    QPrinter printer(QPrinter::ScreenResolution);
    preparePrinter(printer, m_scene->investmentName());

    QPrintPreviewDialog preview(&printer);
    if (m_hooks.paint)
        QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, m_hooks.paint);
    if (m_hooks.execPrintPreview)
        m_hooks.execPrintPreview(preview);
    return true;
}
