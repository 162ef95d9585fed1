#include "app/editcommands.h"

#include "app/dialogseam.h"
#include "app/mainwindow.h"
#include "catalogue/cameracsvimport.h"
#include "catalogue/catalogue.h"
#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "diagram/wire.h"
#include "log/moxlog.h"
#include "print/projectdoc.h"
#include "project/projectimagecodec.h"
#include "undo/imageeditscope.h"
#include "undo/undohistory.h"

#include <QAbstractButton>
#include <QBrush>
#include <QButtonGroup>
#include <QDir>
#include <QGraphicsPixmapItem>
#include <QGraphicsView>
#include <QPixmap>
#include <QStatusBar>

namespace {

const char *const kImageFilter = "Plik obrazu (*.bmp *.png)";
const int kStatusTimeout = 3000;

DiagramItem *asDiagramItem(QGraphicsItem *item)
{
    return item && item->type() == DiagramItem::Type ? static_cast<DiagramItem *>(item) : nullptr;
}

} // namespace

// The items of the selection go with every cable that ends at them; the
// history keeps all of it, so the deletion can be undone.
void EditCommands::deleteItem()
{
    m_window->undoHistory()->deleteSelection();
}

void EditCommands::rotate(bool right)
{
    m_window->undoHistory()->rotateSelected(right);
}

void EditCommands::rotateLeft()
{
    rotate(false);
}

void EditCommands::rotateRight()
{
    rotate(true);
}

void EditCommands::hideWires(bool bEnable)
{
    ProjectDoc *doc = m_window->projectDoc();
    doc->setWiresHidden(bEnable);
    const QList<QGraphicsItem *> items = doc->scene()->items();
    for (QGraphicsItem *item : items) {
        if (item->type() == Wire::Type)
            item->setVisible(!bEnable);
    }
}

void EditCommands::hideDescriptions(bool bEnable)
{
    ProjectDoc *doc = m_window->projectDoc();
    doc->setDescriptionsHidden(bEnable);
    const QList<QGraphicsItem *> items = doc->scene()->items();
    for (QGraphicsItem *item : items) {
        if (DiagramItem *diagramItem = asDiagramItem(item)) {
            if (bEnable)
                diagramItem->hideDescription();
            else
                diagramItem->showDescription();
        }
    }
}

// The picture is stretched to the sheet whatever its shape: the background is
// typically a floor plan scanned to the page, and a brush tiles from the
// scene origin, so exactly one tile covers the sheet.
void EditCommands::addBackground()
{
    const ImageEditScope edit(m_window->undoHistory(), ImageEditScope::Background);
    const QString fileName = m_window->dialogSeam()->getOpenFileName(
            m_window, MainWindow::tr("Otwórz obraz tła"), QDir::currentPath(), MainWindow::tr(kImageFilter));
    if (fileName.isEmpty())
        return;
    QImage picture;
    if (!readPicture(fileName, &picture))
        return;
    ProjectDoc *doc = m_window->projectDoc();
    // Converted in place: the largest background is not held twice.
    const QPixmap image = QPixmap::fromImage(std::move(picture));
    doc->setBackground(image);
    const QPixmap sheet = image.isNull() ? QPixmap()
                                         : image.scaled(ProjectDoc::SheetWidth, ProjectDoc::SheetHeight,
                                                        Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    doc->scene()->setBackgroundBrush(sheet.isNull() ? QBrush() : QBrush(sheet));
}

void EditCommands::delBackground()
{
    const ImageEditScope edit(m_window->undoHistory(), ImageEditScope::Background);
    ProjectDoc *doc = m_window->projectDoc();
    doc->setBackground(QPixmap());
    doc->scene()->setBackgroundBrush(QBrush());
}

// Pictures chosen by the user follow the rule of pictures read from project
// files, so whatever the sheet shows can be saved and read back. A picture
// too large is refused with a word in the status bar and changes nothing; one
// that cannot be read at all gives an empty picture, as it always did.
bool EditCommands::readPicture(const QString &fileName, QImage *picture)
{
    QSize refused;
    *picture = ProjectImageCodec::readFile(fileName, &refused);
    if (refused.isValid()) {
        m_window->statusBar()->showMessage(ProjectImageCodec::refusalText(refused), kStatusTimeout);
        return false;
    }
    return true;
}

QImage EditCommands::fitLogo(const QImage &image)
{
    if (image.width() > LogoMaxWidth || image.height() > LogoMaxHeight)
        return image.scaled(LogoMaxWidth, LogoMaxHeight, Qt::KeepAspectRatio, Qt::FastTransformation);
    return image;
}

void EditCommands::addCustomerLogo()
{
    const ImageEditScope edit(m_window->undoHistory(), ImageEditScope::Logo);
    const QString fileName = m_window->dialogSeam()->getOpenFileName(
            m_window, MainWindow::tr("Otwórz logo projektanta"), QDir::currentPath(), MainWindow::tr(kImageFilter));
    if (fileName.isEmpty())
        return;
    QImage picture;
    if (!readPicture(fileName, &picture))
        return;
    const QPixmap logo = QPixmap::fromImage(fitLogo(picture));
    ProjectDoc *doc = m_window->projectDoc();
    doc->setLogo(logo);
    if (QGraphicsPixmapItem *item = doc->logoItem())
        item->setPixmap(logo);
}

void EditCommands::delCustomerLogo()
{
    const ImageEditScope edit(m_window->undoHistory(), ImageEditScope::Logo);
    ProjectDoc *doc = m_window->projectDoc();
    doc->setLogo(QPixmap());
    if (QGraphicsPixmapItem *item = doc->logoItem())
        item->setPixmap(QPixmap());
}

double EditCommands::zoomFactor(const QString &scale)
{
    const QString number = scale.left(scale.indexOf(MainWindow::tr("%")));
    return number.toDouble() / 100.0;
}

// The chosen zoom replaces the previous one; only the scroll translation of
// the old transformation survives.
void EditCommands::sceneScaleChanged(const QString &scale)
{
    const double factor = zoomFactor(scale);
    QGraphicsView *view = m_window->projectDoc()->view();
    const QTransform old = view->transform();
    view->resetTransform();
    view->translate(old.dx(), old.dy());
    view->scale(factor, factor);
}

void EditCommands::pointerGroupClicked()
{
    m_window->scene()->setMode(DiagramScene::Mode(m_window->pointerTypeGroup()->checkedId()));
}

// The tool-box group is not exclusive, so that the button can be unchecked
// again after a placement; exclusivity among the buttons is kept here.
void EditCommands::buttonGroupClicked(int id)
{
    QButtonGroup *group = m_window->itemButtonGroup();
    const QList<QAbstractButton *> buttons = group->buttons();
    for (QAbstractButton *button : buttons) {
        if (group->id(button) != id)
            button->setChecked(false);
    }
    m_window->scene()->setItemType(DiagramItem::DiagramType(id));
    m_window->scene()->setMode(DiagramScene::InsertItem);
}

// The import changes the catalogue, not the project: not an edit to undo.
void EditCommands::importCamerasFromCsv()
{
    const UndoHistory::Suspension pause(m_window->undoHistory());
    QDir::home().mkdir(QStringLiteral("mox"));
    const QString folder = QDir::homePath() + QDir::separator() + QStringLiteral("mox");
    const QString fileName = m_window->dialogSeam()->getOpenFileName(
            m_window, MainWindow::tr("Otwórz plik csv"), folder, MainWindow::tr("plik csv (*.csv)"));
    if (fileName.isEmpty())
        return;

    const CameraCsvImport::Result result = CameraCsvImport::importFile(fileName);
    Catalogue::reloadSnapshot();
    qCDebug(MoxLog::app) << "import kamer" << result.accepted << "z" << result.lines << "linii"
             << (result.committed ? "zapisane" : "bez zmian");

    // Every camera rebuilds its model list from the new table: a model still
    // there stays chosen, any other falls back to "Nie określono" and is
    // marked missing while the camera keeps its power and bitrate.
    const QList<QGraphicsItem *> items = m_window->scene()->items();
    for (QGraphicsItem *item : items) {
        DiagramItem *diagramItem = asDiagramItem(item);
        if (diagramItem && diagramItem->diagramType() == DiagramItem::Camera)
            diagramItem->refreshLists();
    }
    m_window->scene()->update();
}
