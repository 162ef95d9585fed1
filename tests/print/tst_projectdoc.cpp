// The drawing sheet: its fixed page, frame and title block, and the schematic
// printed to a one-page A4-landscape PDF named after the project.

#include "app/mainwindow.h"
#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "print/projectdoc.h"
#include "scripteddialogseam.h"
#include "temporaryhome.h"
#include "testhelpers.h"

#include <QDate>
#include <QDir>
#include <QGraphicsLineItem>
#include <QGraphicsPixmapItem>
#include <QGraphicsTextItem>
#include <QtTest>

namespace {

QList<QLineF> lines(QGraphicsScene *scene)
{
    QList<QLineF> out;
    const QList<QGraphicsItem *> items = scene->items(Qt::AscendingOrder);
    for (QGraphicsItem *item : items)
        if (item->type() == QGraphicsLineItem::Type)
            out << static_cast<QGraphicsLineItem *>(item)->line();
    return out;
}

// Text items keyed by their position.
QMap<QPair<int, int>, QString> texts(QGraphicsScene *scene)
{
    QMap<QPair<int, int>, QString> out;
    const QList<QGraphicsItem *> items = scene->items();
    for (QGraphicsItem *item : items)
        if (item->type() == QGraphicsTextItem::Type)
            out.insert({qRound(item->pos().x()), qRound(item->pos().y())},
                       static_cast<QGraphicsTextItem *>(item)->toPlainText());
    return out;
}

} // namespace

class TestProjectDoc : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        Q_INIT_RESOURCE(images);
    }

    void pageIsFixedToA4LandscapeWithAFrame()
    {
        ProjectDoc doc;
        QCOMPARE(doc.scene()->sceneRect(), QRectF(0, 0, 1188, 840));
        // An element dropped off the page does not grow the sheet.
        auto *item = new DiagramItem(DiagramItem::Camera, nullptr);
        doc.scene()->addItem(item);
        item->setPos(1500, 1200);
        QCOMPARE(doc.scene()->sceneRect(), QRectF(0, 0, 1188, 840));
        // The frame runs along the page edge.
        const QList<QLineF> expected = {
            QLineF(0, 0, 0, 840), QLineF(0, 840, 1188, 840), QLineF(1188, 840, 1188, 0), QLineF(1188, 0, 0, 0)};
        QCOMPARE(lines(doc.scene()), expected);
    }

    // The title block of a new sheet, and the same furniture built again from
    // the project's values after the sheet was emptied (a new or loaded
    // project): nothing of it can be selected, moved or raised.
    void titleBlockAndFurniture()
    {
        ProjectDoc doc;
        const auto labels = [](QGraphicsScene *scene) {
            const auto found = texts(scene);
            return QStringList{found.value({175, 740}), found.value({175, 760}), found.value({175, 780}),
                               found.value({175, 800})};
        };
        const QStringList expectedLabels{"Nazwa: ", "Adres: ", "Uwagi: ", "Utworzono: "};
        QCOMPARE(labels(doc.scene()), expectedLabels);
        QCOMPARE(texts(doc.scene()).value({250, 740}), QStringLiteral("inwestycja 1"));
        QCOMPARE(texts(doc.scene()).value({250, 800}), QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
        QCOMPARE(doc.logoItem()->pos(), QPointF(25, 740));
        const QList<QGraphicsItem *> items = doc.scene()->items();
        QCOMPARE(items.size(), 4 + 1 + 8);
        for (QGraphicsItem *item : items) {
            QVERIFY(!(item->flags() & QGraphicsItem::ItemIsSelectable));
            QVERIFY(!(item->flags() & QGraphicsItem::ItemIsMovable));
            QCOMPARE(item->zValue(), 0.0);
        }

        doc.scene()->removeAllItems();
        QVERIFY(doc.scene()->items().isEmpty());
        doc.scene()->setInvestmentName(QStringLiteral("Hala magazynowa B"));
        doc.scene()->setInvestmentAddress(QStringLiteral("ul. Portowa 4, Gdynia"));
        doc.scene()->setInvestmentComments(QStringLiteral("etap II"));
        doc.scene()->setCreateDate(QStringLiteral("2025-03-14"));
        doc.setLogo(QPixmap(40, 20));
        doc.createSheet();

        QCOMPARE(doc.scene()->items().size(), 4 + 1 + 8);
        QCOMPARE(lines(doc.scene()).size(), 4);
        QCOMPARE(labels(doc.scene()), expectedLabels);
        const auto found = texts(doc.scene());
        QCOMPARE(found.value({250, 740}), QStringLiteral("Hala magazynowa B"));
        QCOMPARE(found.value({250, 760}), QStringLiteral("ul. Portowa 4, Gdynia"));
        QCOMPARE(found.value({250, 780}), QStringLiteral("etap II"));
        QCOMPARE(found.value({250, 800}), QStringLiteral("2025-03-14"));
        QCOMPARE(doc.nameText()->toPlainText(), QStringLiteral("Hala magazynowa B"));
        QCOMPARE(doc.logoItem()->pixmap().size(), QSize(40, 20));
    }

    // The schematic goes to ~/mox/<project name>, one A4-landscape page.
    void printsOnePageNamedAfterTheProject()
    {
        TemporaryHome home;
        ScriptedDialogSeam seam;
        MainWindow window(&seam);
        DiagramScene *scene = window.scene();
        scene->setInvestmentName(QStringLiteral("Osiedle Zielone 7"));
        auto *item = new DiagramItem(DiagramItem::PD, window.itemMenu());
        scene->addItem(item);
        item->setPos(300, 300);
        item->setSelected(true);

        window.printProject();

        QVERIFY(!item->isSelected());
        QCOMPARE(seam.kinds(), QStringList({"preview"}));
        QVERIFY(!seam.shown.at(0).hasParent);
        QCOMPARE(QDir(home.filePath("mox")).entryList(QDir::Files), QStringList{"Osiedle Zielone 7"});
        const QByteArray bytes = tst::fileBytes(home.filePath(QStringLiteral("mox/Osiedle Zielone 7")));
        QVERIFY(bytes.startsWith("%PDF"));
        const tst::PdfPages pages = tst::pdfPages(bytes);
        QCOMPARE(pages.count, 1);
        QVERIFY(pages.isA4(true));
    }
};

QTEST_MAIN(TestProjectDoc)
#include "tst_projectdoc.moc"
