#include "app/mainwindow.h"
#include "calc/networkcalc.h"
#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "diagram/wire.h"
#include "print/orderdocument.h"
#include "print/orderitem.h"
#include "print/orderprintjob.h"

#include "filesizelimit.h"
#include "networkbuilder.h"
#include "scripteddialogseam.h"
#include "temporaryhome.h"
#include "testcatalogue.h"
#include "testhelpers.h"

#include <QMessageBox>
#include <QTextDocument>
#include <QTextEdit>
#include <QtTest>

#include <cstring>

namespace {

// Order rows as "name|quantity|kind".
QStringList rowsOf(const OrderDocument &order)
{
    QStringList out;
    for (const OrderItem *item : order.rows())
        out << QStringLiteral("%1|%2|%3").arg(item->name()).arg(item->quantity()).arg(item->kind());
    return out;
}

QString td(const QString &text)
{
    return "<td>" + text + "</td>";
}

// One table row as the order prints it, written out cell by cell.
QString tableRow(int number, const QString &type, const QString &name, int quantity, const QString &unit)
{
    return "<tr>" + td(QString::number(number)) + td(type) + td(name) + td(QString::number(quantity))
           + td(unit) + "</tr>";
}

QString expectedHead(bool withLogo, const QString &name, const QString &address,
                     const QString &comments, const QString &date)
{
    QString html = "<html><head><style>"
                   "table, td, th { border: 1px solid black; }"
                   "table { width: 100%;  }"
                   "th, td { padding: 8px; text-align: left; border-bottom: 1px solid #ddd;}"
                   "p {font-size: 10px;}"
                   "</style></head>"
                   "<body>";
    if (withLogo)
        html += "<p><img src=\"customerlogo\" align=\"right\"></p>"
                "<br/><br/><br/><br/><br/><br/>";
    html += "<p align=center><b><font size=\"7\">Zamówienie</b></p>"
            "<p align=center><font size=\"1\">mox ver.1.0.22</p>"
            "<br/>"
            "<p>Nazwa inwestycji: <b>" + name + "</b></p>"
            "<p>Adres: <b>" + address + "</b></p>"
            "<p>Uwagi: <b>" + comments + "</b></p>"
            "<p>Data utworzenia: <b>" + date + "</b></p>"
            "<br/>"
            "<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"0\">"
            "<tr><th>Lp.</th><th>Typ</th><th>Nazwa</th><th>Ilość</th><th>Jednostka</th></tr>";
    return html;
}

const QString kTail = "</table></body></html>";

QList<TestCatalogue::Camera> catalogueCameras()
{
    return {{"Kamera A", 5, 2048}, {"Kamera B", 7, 4096}, {"PD-8 IP20", 6, 1024}};
}

QList<TestCatalogue::Pd> cataloguePds()
{
    // one model with backup, one without; both fit small points only
    return {{"PD-8 IP20", "Wewnętrzna (IP20)", 1, 8, 1, 100, 100000},
            {"PD-5 IP20", "Wewnętrzna (IP20)", 0, 5, 1, 100, 100000}};
}

} // namespace


class TstOrder : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void merge_data();
    void merge();

    void wholeHtml_data();
    void wholeHtml();
    void emptyProjectGivesHeaderOnly();

    void pdfIsA4Portrait();
    void overflowSplitBeforeOrder();
    void exportBomThroughWindow();

private:
    // The order PDF goes to ~/mox: kept out of the real home.
    TemporaryHome m_home;
};

void TstOrder::initTestCase()
{
    Q_INIT_RESOURCE(images);
    QVERIFY(m_home.isValid());
}

void TstOrder::merge_data()
{
    QTest::addColumn<QStringList>("input");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("cable lengths of one type add up")
        << QStringList{"UTP kat.5E|25|0", "UTP kat.5E|40|0"} << QStringList{"UTP kat.5E|65|0"};
    QTest::newRow("first appearance keeps its place")
        << QStringList{"Kamera A|1|1", "Kamera B|1|1", "Kamera A|1|1", "Kamera A|1|1"}
        << QStringList{"Kamera A|3|1", "Kamera B|1|1"};
    QTest::newRow("camera and point of one name stay apart")
        << QStringList{"Model 1|1|1", "Model 1|1|2", "Model 1|1|1"} << QStringList{"Model 1|2|1", "Model 1|1|2"};
    QTest::newRow("batteries of one capacity add up")
        << QStringList{"PD-8|1|2", "Akumulator 12V [17 Ah]|1|3", "PD-8|1|2", "Akumulator 12V [7 Ah]|1|3",
                       "Akumulator 12V [17 Ah]|1|3"}
        << QStringList{"PD-8|2|2", "Akumulator 12V [17 Ah]|2|3", "Akumulator 12V [7 Ah]|1|3"};
}

void TstOrder::merge()
{
    QFETCH(QStringList, input);
    OrderDocument order;
    for (const QString &row : input) {
        const QStringList cells = row.split('|');
        order.addRow(cells[0], cells[1].toInt(), cells[2].toInt());
    }
    order.merge();
    QTEST(rowsOf(order), "expected");
}

void TstOrder::wholeHtml_data()
{
    QTest::addColumn<bool>("withLogo");
    QTest::newRow("without logo") << false;
    QTest::newRow("with logo") << true;
}

void TstOrder::wholeHtml()
{
    QFETCH(bool, withLogo);
    TestCatalogue catalogue;
    QVERIFY2(catalogue.create(catalogueCameras(), cataloguePds(), {"UTP kat.5E", "UTP kat.6"}),
             qPrintable(catalogue.lastError()));
    NetworkBuilder net;
    DiagramItem *point = net.addPd({100, 50}, 1);
    DiagramItem *a1 = net.addCamera({100, 200}, 1, 5, 2048);
    DiagramItem *b = net.addCamera({200, 200}, 2, 7, 4096);
    DiagramItem *a2 = net.addCamera({300, 200}, 3, 5, 2048);
    a1->setModel("Kamera A");
    b->setModel("Kamera B");
    a2->setModel("Kamera A");
    net.connect(point, a1, 25);
    net.connect(point, b, 10)->setType("UTP kat.6");
    net.connect(point, a2, 40);
    // backup with a capacity orders a battery, backup without one does not
    point->setBackup(true);
    point->setAccumulatorCapacity(17);
    DiagramItem *spare = net.addPd({300, 50}, 2);
    spare->setBackup(true);
    // sheet furniture is not a product
    net.scene()->addLine(0, 0, 1188, 0);
    net.scene()->addText("Nazwa: ");
    NetworkCalc::calcPD(net.scene());
    // three slots, backup and 17 W fit the first model only; the spare
    // point, with no slot used, fits both and takes the first
    QCOMPARE(point->modelName(), QStringLiteral("PD-8 IP20"));
    QCOMPARE(spare->modelName(), QStringLiteral("PD-8 IP20"));

    // project values go in as they are, markup included
    net.scene()->setInvestmentName("Hala <i>B</i>");
    net.scene()->setInvestmentAddress("Łódź, ul. Źródlana 3");
    net.scene()->setInvestmentComments("bez & uwag");
    net.scene()->setCreateDate("2026-12-05");

    QPixmap logo;
    if (withLogo) {
        logo = QPixmap(40, 20);
        logo.fill(Qt::red);
    }
    QTextEdit editor;
    const QString html = OrderPrintJob::fillEditor(net.scene(), &editor, logo);

    // wires lie lowest, so cable comes first; then the devices in the order
    // they were placed, each product where it first appeared
    const QString expected = expectedHead(withLogo, "Hala <i>B</i>", "Łódź, ul. Źródlana 3",
                                          "bez & uwag", "2026-12-05")
                             + tableRow(1, "Przewód", "UTP kat.5E", 65, "m")
                             + tableRow(2, "Przewód", "UTP kat.6", 10, "m")
                             + tableRow(3, "Punkt Dystrybucyjny", "PD-8 IP20", 2, "szt.")
                             + tableRow(4, "Akumulator", "Akumulator 12V [17 Ah]", 1, "szt.")
                             + tableRow(5, "Kamera", "Kamera A", 2, "szt.")
                             + tableRow(6, "Kamera", "Kamera B", 1, "szt.") + kTail;

    QCOMPARE(html, expected);

    const QVariant resource = editor.document()->resource(QTextDocument::ImageResource,
                                                          QUrl("customerlogo"));
    if (withLogo)
        QCOMPARE(resource.value<QPixmap>().size(), QSize(40, 20));
}

void TstOrder::emptyProjectGivesHeaderOnly()
{
    DiagramScene scene(nullptr);
    scene.setInvestmentName("pusty");
    scene.setInvestmentAddress("");
    scene.setInvestmentComments("");
    scene.setCreateDate("2017-01-01");
    scene.addLine(0, 0, 1188, 0);
    QTextEdit editor;
    const QString html = OrderPrintJob::fillEditor(&scene, &editor, QPixmap());
    QCOMPARE(html, expectedHead(false, "pusty", "", "", "2017-01-01") + kTail);
}

void TstOrder::pdfIsA4Portrait()
{
    ScriptedDialogSeam seam;
    MainWindow window(&seam);
    window.scene()->setInvestmentName("Biuro");
    const QString pdf = m_home.path() + "/mox/Biuro_order";
    QCOMPARE(OrderPrintJob::outputFileName("Biuro"), pdf);
    QFile::remove(pdf);

    window.printOrder();
    QCOMPARE(seam.kinds(), QStringList{"preview"});
    QVERIFY(!seam.shown.first().hasParent);
    const QByteArray bytes = tst::fileBytes(pdf);
    QVERIFY(bytes.startsWith("%PDF-"));
    const tst::PdfPages pages = tst::pdfPages(bytes);
    QCOMPARE(pages.count, 1);
    QVERIFY(pages.isA4(false));
}

void TstOrder::overflowSplitBeforeOrder()
{
    TestCatalogue catalogue;
    ScriptedDialogSeam seam;
    MainWindow window(&seam);
    // eight slots at most: ten cameras overflow every model, while the two
    // halves of a split (five cameras and the chain wire) fit
    QVERIFY(catalogue.create(catalogueCameras(), {{"PD-8 IP20", "Wewnętrzna (IP20)", 0, 8, 1, 200, 100000}},
                             {"UTP kat.5E"}));
    window.scene()->setInvestmentName("Podzial");
    NetworkBuilder net(window.scene(), window.itemMenu());
    DiagramItem *point = net.addPd({100, 50}, 1);
    for (int i = 0; i < 10; ++i) {
        DiagramItem *camera = net.addCamera({100.0 + 80 * i, 200}, uint(i + 1));
        camera->setModel("Kamera A");
        net.connect(point, camera, 20);
    }
    window.calcPD();
    QCOMPARE(point->modelName(), QStringLiteral("Nie określono"));
    QVERIFY(point->slotOverflow());

    seam.messageAnswers << QMessageBox::Yes << QMessageBox::Yes;
    window.printOrder();

    // The split question goes through the window's dialogs, without a parent;
    // then whether to go on with the order.
    QCOMPARE(seam.kinds(), (QStringList{"message", "message", "preview"}));
    QVERIFY(seam.shown.at(0).text.startsWith(QStringLiteral("W projekcie znajduje się nie określony model")));
    QVERIFY(!seam.shown.at(0).hasParent);
    const ScriptedDialogSeam::Shown &question = seam.shown.at(1);
    QCOMPARE(question.text, QStringLiteral("W projekcie dodano nowe punkty dystrybucyjne.\n"
                                           "Czy kontytuować generowanie zamówienia?"));
    QVERIFY(question.buttons.contains("Tak") && question.buttons.contains("Nie"));
    QCOMPARE(question.defaultButton, int(QMessageBox::Yes));

    QList<DiagramItem *> points;
    for (DiagramItem *item : tst::itemsOf<DiagramItem>(window.scene()))
        if (item->diagramType() == DiagramItem::PD)
            points << item;
    QCOMPARE(points.size(), 2);
    // Five cameras and the chain link each; the new point gets the window's
    // element menu like one placed by hand.
    DiagramItem *added = points.first() == point ? points.last() : points.first();
    QCOMPARE(added->contextMenu(), window.itemMenu());
    QCOMPARE(point->wires().size(), 6);
    QCOMPARE(added->wires().size(), 6);
    // after the split both points have a catalogue model, one order row for both
    QCOMPARE(added->modelName(), QStringLiteral("PD-8 IP20"));
    const QString text = window.orderDocument()->toPlainText();
    QVERIFY(!text.contains("Nie określono"));
    QVERIFY(text.contains("PD-8 IP20"));
    QVERIFY(QFile::exists(m_home.filePath("mox/Podzial_order")));
}

// The bill of materials from the "&Plik" menu: a cancelled dialog writes
// nothing, a chosen file gets the order's merged rows as CSV, a file that
// cannot be written is reported with the system's reason.
void TstOrder::exportBomThroughWindow()
{
    ScriptedDialogSeam seam;
    MainWindow window(&seam);
    window.scene()->setInvestmentName("Hala 2");
    NetworkBuilder net(window.scene(), window.itemMenu());
    DiagramItem *point = net.addPd({100, 50}, 1);
    // the cable type is whatever new wires get from the shared type list
    const QString cable = net.connect(point, net.addCamera({300, 50}, 1), 25)->typeName();
    QCOMPARE(net.connect(point, net.addCamera({300, 150}, 2), 40)->typeName(), cable);

    window.exportBomCsv();
    QCOMPARE(seam.kinds(), QStringList{"save"});
    QCOMPARE(seam.shown.last().title, QStringLiteral("Eksport BOM do CSV"));
    QCOMPARE(seam.shown.last().text, m_home.path() + "/mox/Hala 2.csv");
    QCOMPARE(seam.shown.last().filter, QStringLiteral("Pliki CSV (*.csv)"));

    const QString csv = m_home.filePath("bom.csv");
    seam.fileAnswers << csv;
    window.exportBomCsv();
    const QByteArray written = tst::fileBytes(csv);
    QCOMPARE(QString::fromUtf8(written), "Produkt,Ilość,Jednostka\r\n" + cable
                                             + ",65,m\r\n"
                                               "Nie określono,1,szt.\r\n"
                                               "Nie określono,2,szt.\r\n");

    const QString blocked = m_home.filePath("brak/bom.csv");
    seam.fileAnswers << blocked;
    window.exportBomCsv();
    QCOMPARE(seam.kinds(), (QStringList{"save", "save", "save", "message"}));
    QVERIFY2(seam.shown.last().text.startsWith("Nie mogę zapisać pliku " + blocked + ":\n"),
             qPrintable(seam.shown.last().text));
    QVERIFY(!QFile::exists(blocked));

    // A file-size limit refuses the table's last bytes: the previous table
    // stays whole instead of a truncated one taking its place.
    seam.fileAnswers << csv;
    {
        const FileSizeLimit limit(16);
        QVERIFY(limit.isActive());
        window.exportBomCsv();
    }
    QCOMPARE(seam.shown.last().text, QStringLiteral("Nie mogę zapisać pliku %1:\n%2.")
                                         .arg(csv, QString::fromLocal8Bit(strerror(EFBIG))));
    QCOMPARE(tst::fileBytes(csv), written);
    QCOMPARE(QDir(m_home.path()).entryList({"bom.csv*"}, QDir::Files), QStringList{"bom.csv"});
}

QTEST_MAIN(TstOrder)
#include "tst_order.moc"
