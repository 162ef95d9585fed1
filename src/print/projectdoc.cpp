#include "print/projectdoc.h"

#include "diagram/diagramscene.h"

#include <QDate>
#include <QGraphicsPixmapItem>
#include <QGraphicsTextItem>
#include <QGraphicsView>
#include <QHBoxLayout>
#include <QScrollBar>
#include <QShowEvent>

namespace {
// The title block sits in the bottom left corner: the logo place, then a
// column of labels and, 75 units further right, a column of values, one row
// every 20 units starting 100 units above the bottom edge.
const qreal kLogoX = 25;
const qreal kLabelX = 175;
const qreal kValueX = 250;
const qreal kFirstRowAboveBottom = 100;
const qreal kRowStep = 20;
}

ProjectDoc::ProjectDoc(QWidget *parent)
    : QWidget(parent)
{
    auto *layout = new QHBoxLayout;
    m_scene = new DiagramScene(m_itemMenu, this);
    // Fixed to the page, so items placed outside it do not grow the sheet.
    m_scene->setSceneRect(QRectF(0, 0, SheetWidth, SheetHeight));
    m_view = new QGraphicsView(m_scene);
    layout->addWidget(m_view);
    m_scene->setCreateDate(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
    setLayout(layout);
    createSheet();
    scrollToTopLeft();
}

void ProjectDoc::scrollToTopLeft()
{
    m_view->horizontalScrollBar()->setValue(0);
    m_view->verticalScrollBar()->setValue(0);
}

// The view centres itself on the scene when it is first shown, and before
// that it has no real size to scroll in; the sheet opens where the drawing
// starts, at the top-left corner, so the scroll bars are set again once the
// view has been laid out.
void ProjectDoc::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_shownOnce) {
        m_shownOnce = true;
        scrollToTopLeft();
    }
}

void ProjectDoc::setItemMenu(QMenu *menu)
{
    m_itemMenu = menu;
    m_scene->setItemMenu(menu);
}

QGraphicsTextItem *ProjectDoc::addText(const QString &text, qreal x, qreal y)
{
    QGraphicsTextItem *item = m_scene->addText(text);
    item->setPos(x, y);
    return item;
}

void ProjectDoc::createSheet()
{
    const qreal w = m_scene->sceneRect().width();
    const qreal h = m_scene->sceneRect().height();
    m_scene->addLine(0, 0, 0, h);
    m_scene->addLine(0, h, w, h);
    m_scene->addLine(w, h, w, 0);
    m_scene->addLine(w, 0, 0, 0);

    const qreal top = h - kFirstRowAboveBottom;
    m_logoItem = m_scene->addPixmap(m_logo);
    m_logoItem->setPos(kLogoX, top);

    addText(tr("Nazwa: "), kLabelX, top);
    m_nameText = addText(m_scene->investmentName(), kValueX, top);
    addText(tr("Adres: "), kLabelX, top + kRowStep);
    m_addressText = addText(m_scene->investmentAddress(), kValueX, top + kRowStep);
    addText(tr("Uwagi: "), kLabelX, top + 2 * kRowStep);
    m_commentsText = addText(m_scene->investmentComments(), kValueX, top + 2 * kRowStep);
    addText(tr("Utworzono: "), kLabelX, top + 3 * kRowStep);
    m_dateText = addText(m_scene->createDate(), kValueX, top + 3 * kRowStep);
}

void ProjectDoc::updateTitleBlock()
{
    // Between emptying the scene and the next createSheet (while a project
    // is being read) there is no title block to fill.
    if (!m_nameText || !m_addressText || !m_commentsText || !m_dateText)
        return;
    // A text set again lays itself out and repaints even when it is the
    // same; this runs after every change with no single element selected.
    const auto show = [](QGraphicsTextItem *item, const QString &text) {
        if (item->toPlainText() != text)
            item->setPlainText(text);
    };
    show(m_nameText, m_scene->investmentName());
    show(m_addressText, m_scene->investmentAddress());
    show(m_commentsText, m_scene->investmentComments());
    show(m_dateText, m_scene->createDate());
}
