// The drawing sheet: its fixed page, frame and title block, and the schematic
// printed to a one-page A4-landscape PDF named after the project.

#include "app/mainwindow.h"
#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "print/projectdoc.h"
#include "scripteddialogseam.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QGraphicsLineItem>
#include <QGraphicsPixmapItem>
#include <QGraphicsTextItem>
#include <QMenu>
#include <QTemporaryDir>
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

    void titleBlock_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<QString>("text");
        const QString today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
        QTest::newRow("name label") << 175 << 740 << "Nazwa: ";
        QTest::newRow("address label") << 175 << 760 << "Adres: ";
        QTest::newRow("comments label") << 175 << 780 << "Uwagi: ";
        QTest::newRow("date label") << 175 << 800 << "Utworzono: ";
        QTest::newRow("date value") << 250 << 800 << today;
        QTest::newRow("name value") << 250 << 740 << "inwestycja 1";
    }

    void titleBlock()
    {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(QString, text);
        ProjectDoc doc;
        const auto found = texts(doc.scene());
        QVERIFY2(found.contains({x, y}), qPrintable(QString("nothing at %1,%2").arg(x).arg(y)));
        QCOMPARE(found.value({x, y}), text);
    }

    void furnitureStaysPut()
    {
        ProjectDoc doc;
        QCOMPARE(doc.logoItem()->pos(), QPointF(25, 740));
        const QList<QGraphicsItem *> items = doc.scene()->items();
        QCOMPARE(items.size(), 4 + 1 + 8);
        for (QGraphicsItem *item : items) {
            QVERIFY(!(item->flags() & QGraphicsItem::ItemIsSelectable));
            QVERIFY(!(item->flags() & QGraphicsItem::ItemIsMovable));
            QCOMPARE(item->zValue(), 0.0);
        }
    }

    // A new or loaded project empties the scene and builds the furniture again
    // from the project's values.
    void sheetIsRebuiltAfterEmptying()
    {
        ProjectDoc doc;
        doc.scene()->removeAllItems();
        QVERIFY(doc.scene()->items().isEmpty());
        doc.scene()->setInvestmentName(QStringLiteral("Hala magazynowa B"));
        doc.scene()->setInvestmentAddress(QStringLiteral("ul. Portowa 4, Gdynia"));
        doc.scene()->setInvestmentComments(QStringLiteral("etap II"));
        doc.scene()->setCreateDate(QStringLiteral("2025-03-14"));
        const QPixmap logo(40, 20);
        doc.setLogo(logo);
        doc.createSheet();

        QCOMPARE(doc.scene()->items().size(), 4 + 1 + 8);
        QCOMPARE(lines(doc.scene()).size(), 4);
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
        QTemporaryDir home;
        QVERIFY(home.isValid());
        const QByteArray oldHome = qgetenv("HOME");
        qputenv("HOME", home.path().toLocal8Bit());

        ScriptedDialogSeam seam;
        MainWindow window(&seam);
        DiagramScene *scene = window.scene();
        scene->setInvestmentName(QStringLiteral("Osiedle Zielone 7"));
        auto *item = new DiagramItem(DiagramItem::PD, window.itemMenu());
        scene->addItem(item);
        item->setPos(300, 300);
        item->setSelected(true);

        window.printProject();
        qputenv("HOME", oldHome);

        QVERIFY(!item->isSelected());
        QCOMPARE(seam.kinds(), QStringList({"preview"}));
        QVERIFY(!seam.shown.at(0).hasParent);
        const QString pdfPath = home.path() + QStringLiteral("/mox/Osiedle Zielone 7");
        QVERIFY2(QFile::exists(pdfPath), qPrintable(QDir(home.path() + "/mox").entryList().join(',')));
        QCOMPARE(QDir(home.path() + QStringLiteral("/mox")).entryList(QDir::Files).size(), 1);

        QFile pdf(pdfPath);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QByteArray bytes = pdf.readAll();
        QVERIFY(bytes.startsWith("%PDF"));
        QCOMPARE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "), 1);
        const int boxAt = bytes.indexOf("/MediaBox [");
        QVERIFY(boxAt >= 0);
        const int boxEnd = bytes.indexOf(']', boxAt);
        const QList<QByteArray> box =
            bytes.mid(boxAt + 11, boxEnd - boxAt - 11).simplified().split(' ');
        QCOMPARE(box.size(), 4);
        QCOMPARE(box.at(0).toDouble(), 0.0);
        QCOMPARE(box.at(1).toDouble(), 0.0);
        // A4 is 297 x 210 mm: 841.9 x 595.3 points, landscape.
        QVERIFY(qAbs(box.at(2).toDouble() - 841.9) < 1.0);
        QVERIFY(qAbs(box.at(3).toDouble() - 595.3) < 1.0);
    }
};

QTEST_MAIN(TestProjectDoc)
#include "tst_projectdoc.moc"
