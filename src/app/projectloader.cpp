#include "app/projectloader.h"

#include "app/selectionbinding.h"
#include "calc/calcloop.h"
#include "calc/modelselection.h"
#include "catalogue/catalogue.h"
#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "diagram/wire.h"
#include "print/projectdoc.h"
#include "project/projectreader.h"
#include "project/systemerror.h"

#include <QBrush>
#include <QFile>
#include <QGraphicsItem>
#include <QPixmap>

ProjectLoader::ProjectLoader(ProjectDoc *doc)
    : m_doc(doc)
{
    // A point picks its model while its lists are refreshed; without the
    // selection installed a loaded point would keep "Nie określono".
    installModelSelection();
}

ProjectLoader::Outcome ProjectLoader::read(QFile &file)
{
    m_errorMessage.clear();
    m_refusedImageSize = QSize();
    m_doc->scene()->removeAllItems();
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        m_errorMessage = tr("Nie mogę odczytać pliku %1:\n%2.")
                                 .arg(file.fileName(), SystemError::ofReading(file.fileName(), file.errorString()));
        return Unreadable;
    }
    ProjectReader reader(m_doc);
    const bool read = reader.read(&file);
    file.close();
    m_refusedImageSize = reader.refusedImageSize();
    if (!read) {
        m_errorMessage = tr("Nie mogę odczytać pliku %1:\n\n%2").arg(file.fileName(), reader.errorString());
        return Invalid;
    }
    return Loaded;
}

void ProjectLoader::showSheet()
{
    DiagramScene *scene = m_doc->scene();
    const QPixmap background = m_doc->background();
    if (background.isNull())
        scene->setBackgroundBrush(QBrush());
    else
        scene->setBackgroundBrush(QBrush(background.scaled(ProjectDoc::SheetWidth, ProjectDoc::SheetHeight,
                                                           Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    m_doc->createSheet();
    scene->update();
}

void ProjectLoader::prepareItems(QMenu *itemMenu)
{
    // The lists of every item are refreshed against a catalogue that stands
    // still meanwhile: it is looked at once, not once per item.
    Catalogue::Pass catalogue;
    const QList<QGraphicsItem *> items = m_doc->scene()->items();
    for (QGraphicsItem *graphicsItem : items) {
        if (graphicsItem->type() == DiagramItem::Type) {
            DiagramItem *item = static_cast<DiagramItem *>(graphicsItem);
            item->setContextMenu(itemMenu);
            if (m_doc->descriptionsHidden())
                item->hideDescription();
            item->refreshLists();
        } else if (graphicsItem->type() == Wire::Type) {
            if (m_doc->wiresHidden())
                graphicsItem->hide();
        }
    }
}

// With nothing selected the editor's update fills the title block and runs
// the calculation loop; no set is shown whose cable changes could ask for
// another pass, so the loop's own request flag is all it needs.
void ProjectLoader::recalculate()
{
    m_doc->updateTitleBlock();
    CalcLoop(m_doc->scene()).run();
    m_doc->scene()->update();
}

void ProjectLoader::settle()
{
    recalculate();
    SelectionBinding::applyProjectColours(m_doc->scene());
    m_doc->setModified(true);
    recalculate();
}

ProjectLoader::Outcome ProjectLoader::load(const QString &path)
{
    QFile file(path);
    const Outcome outcome = read(file);
    if (outcome != Loaded)
        return outcome;
    showSheet();
    prepareItems(nullptr);
    settle();
    return Loaded;
}
