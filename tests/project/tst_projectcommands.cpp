// The project commands without a main window: dialogs, messages, title,
// status bar and modified flag around open, load, save and save as, and the
// safety of the project file when writing fails.
#include "scripteddialogseam.h"
#include "networkbuilder.h"
#include "testcatalogue.h"

#include "app/projectcommands.h"
#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "diagram/wire.h"
#include "print/projectdoc.h"
#include "project/projectwriter.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGraphicsItem>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QStatusBar>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

int countDiagramItems(DiagramScene *scene)
{
    int n = 0;
    const QList<QGraphicsItem *> items = scene->items();
    for (QGraphicsItem *item : items)
        n += item->type() == DiagramItem::Type;
    return n;
}

// A picture that PNG cannot squeeze: its encoded form is large.
QPixmap noisePicture(int side)
{
    QImage image(side, side, QImage::Format_RGB32);
    QRandomGenerator generator(7);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x)
            image.setPixel(x, y, generator.generate() | 0xff000000u);
    }
    return QPixmap::fromImage(image);
}

} // namespace

// Everything a main window would hand to the commands, with the calls of the
// window's own steps recorded.
struct Harness {
    QMainWindow window;
    ProjectDoc *doc = new ProjectDoc(nullptr);
    ScriptedDialogSeam seam;
    QFile *projectFile = nullptr;
    QMenu itemMenu;
    QStringList calls;

    Harness()
    {
        window.setCentralWidget(doc);
        window.setWindowTitle(QStringLiteral("MOX NORVANTE"));
    }
    ~Harness() { delete projectFile; }

    ProjectCommands commands()
    {
        ProjectCommands::Host host;
        host.window = &window;
        host.doc = doc;
        host.seam = &seam;
        host.projectFile = &projectFile;
        host.itemMenu = &itemMenu;
        host.showProjectSet = [this] { calls << QStringLiteral("showProjectSet"); };
        host.updateScene = [this] { calls << QStringLiteral("updateScene"); };
        host.applyProjectColours = [this] { calls << QStringLiteral("applyProjectColours"); };
        host.selectionChanged = [this] {
            calls << QStringLiteral("selectionChanged");
            doc->setModified(true);
        };
        return ProjectCommands(host);
    }

    QString path() const { return projectFile ? projectFile->fileName() : QString(); }
    QString status() const { return window.statusBar()->currentMessage(); }
};

class TestProjectCommands : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void loadEndsWithTheWindowSteps();
    void loadOfMissingFile();
    void loadOfDamagedFileKeepsWhatWasRead();
    void openDialogAndCancel();
    void projectDirectoryThatCannotBeMade();
    void saveAsSuggestsTheProjectName();
    void saveWritesTheWriterDocument();
    void saveIntoAPlaceThatCannotHoldFiles();
    void interruptedSaveKeepsTheOldFile();
    void prompt_data();
    void prompt();

private:
    QTemporaryDir *m_home = nullptr;
    QByteArray m_oldHome;
    TestCatalogue m_catalogue;
};

void TestProjectCommands::initTestCase()
{
    Q_INIT_RESOURCE(images);
    m_catalogue.simulateNoCatalogue();
    m_oldHome = qgetenv("HOME");
}

void TestProjectCommands::init()
{
    // Every test gets a home of its own, so "mox" in it starts missing.
    m_home = new QTemporaryDir;
    QVERIFY(m_home->isValid());
    qputenv("HOME", m_home->path().toLocal8Bit());
}

void TestProjectCommands::cleanup()
{
    qputenv("HOME", m_oldHome);
    delete m_home;
    m_home = nullptr;
}

void TestProjectCommands::loadEndsWithTheWindowSteps()
{
    Harness source;
    NetworkBuilder builder(source.doc->scene());
    DiagramItem *pd = builder.addPd(QPointF(100, 100), 1);
    DiagramItem *camera = builder.addCamera(QPointF(200, 100), 1);
    builder.connect(pd, camera, 20);
    source.doc->setBackground(noisePicture(16));
    const QString path = m_home->filePath(QStringLiteral("obiekt.mox"));
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        ProjectWriter writer(source.doc);
        QVERIFY(writer.write(&file));
    }

    Harness h;
    h.doc->setDescriptionsHidden(true);
    h.doc->setWiresHidden(true);
    h.commands().loadProject(path);

    QCOMPARE(h.calls, (QStringList{"showProjectSet", "updateScene", "applyProjectColours", "selectionChanged"}));
    QVERIFY(h.seam.shown.isEmpty());
    QCOMPARE(h.status(), QStringLiteral("Otwarto projekt"));
    QCOMPARE(h.path(), path);
    QCOMPARE(h.window.windowTitle(), QStringLiteral("MOX NORVANTE - [%1]*").arg(path));
    QVERIFY(h.doc->isModified());
    // The sheet furniture was drawn again, the background stretched over it.
    QVERIFY(h.doc->nameText() && h.doc->nameText()->scene() == h.doc->scene());
    QCOMPARE(h.doc->scene()->backgroundBrush().texture().size(), QSize(1188, 840));

    int items = 0;
    int hiddenWires = 0;
    const QList<QGraphicsItem *> all = h.doc->scene()->items();
    for (QGraphicsItem *item : all) {
        if (item->type() == DiagramItem::Type) {
            auto *di = static_cast<DiagramItem *>(item);
            QCOMPARE(di->contextMenu(), &h.itemMenu);
            QVERIFY(di->descriptionsHidden());
            ++items;
        } else if (item->type() == Wire::Type) {
            hiddenWires += !item->isVisible();
        }
    }
    QCOMPARE(items, 2);
    QCOMPARE(hiddenWires, 1);
}

void TestProjectCommands::loadOfMissingFile()
{
    Harness h;
    NetworkBuilder(h.doc->scene()).addCamera(QPointF(10, 10));
    const QString path = m_home->filePath(QStringLiteral("nie-ma.mox"));
    h.commands().loadProject(path);

    QCOMPARE(h.seam.kinds(), QStringList{"message"});
    const ScriptedDialogSeam::Shown box = h.seam.shown.first();
    QCOMPARE(box.title, QStringLiteral("MOX"));
    QCOMPARE(box.buttons, QStringList{"OK"});
    QVERIFY(box.hasParent);
    QCOMPARE(box.text, QStringLiteral("Nie mogę odczytać pliku %1:\nNo such file or directory.").arg(path));
    QVERIFY(!h.projectFile);
    QVERIFY(h.doc->scene()->items().isEmpty());
    QCOMPARE(h.window.windowTitle(), QStringLiteral("MOX NORVANTE"));
    QVERIFY(h.calls.isEmpty());
    QVERIFY(!h.doc->isModified());
}

void TestProjectCommands::loadOfDamagedFileKeepsWhatWasRead()
{
    const QString path = m_home->filePath(QStringLiteral("uszkodzony.mox"));
    QVERIFY(writeBytes(path, "<?xml version=\"1.0\"?>\n<mox version=\"1.0\">\n"
                             "<camera id=\"0\" x=\"10\" y=\"20\" rotation=\"0\"/>\n<pd id=\"1\""));
    Harness h;
    h.commands().loadProject(path);

    QCOMPARE(h.seam.kinds(), QStringList{"message"});
    QCOMPARE(h.seam.shown.first().title, QStringLiteral("MOX"));
    QCOMPARE(h.seam.shown.first().text,
             QStringLiteral("Nie mogę odczytać pliku %1:\n\nPremature end of document.\nLine 4, column 10").arg(path));
    QVERIFY(h.status().isEmpty());
    QCOMPARE(countDiagramItems(h.doc->scene()), 1);
    QCOMPARE(h.path(), path);
    QCOMPARE(h.window.windowTitle(), QStringLiteral("MOX NORVANTE - [%1]*").arg(path));
    QCOMPARE(h.calls.last(), QStringLiteral("selectionChanged"));
}

void TestProjectCommands::openDialogAndCancel()
{
    Harness h;
    NetworkBuilder(h.doc->scene()).addCamera(QPointF(10, 10));
    h.doc->setBackground(noisePicture(4));
    h.commands().openProject();

    QCOMPARE(h.seam.kinds(), QStringList{"open"});
    const ScriptedDialogSeam::Shown dialog = h.seam.shown.first();
    QCOMPARE(dialog.title, QStringLiteral("Otwórz projekt MOX"));
    QCOMPARE(dialog.text, m_home->filePath(QStringLiteral("mox")));
    QCOMPARE(dialog.filter, QStringLiteral("MOX Files (*.mox *.xml)"));
    QVERIFY(dialog.hasParent);
    QVERIFY(QFileInfo(m_home->filePath(QStringLiteral("mox"))).isDir());
    // Cancelled: the drawing and its background are untouched.
    QCOMPARE(countDiagramItems(h.doc->scene()), 1);
    QVERIFY(!h.doc->background().isNull());

    // Chosen: the old background goes even though the new file has none.
    Harness source;
    const QString path = m_home->filePath(QStringLiteral("mox/nowy.mox"));
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        ProjectWriter(source.doc).write(&file);
    }
    h.seam.fileAnswers.enqueue(path);
    h.commands().openProject();
    QVERIFY(h.doc->background().isNull());
    QCOMPARE(h.doc->scene()->backgroundBrush().style(), Qt::NoBrush);
    QCOMPARE(countDiagramItems(h.doc->scene()), 0);
    QCOMPARE(h.path(), path);
}

void TestProjectCommands::projectDirectoryThatCannotBeMade()
{
    // A home that is a regular file cannot hold "mox"; the dialog opens all
    // the same.
    const QString fakeHome = m_home->filePath(QStringLiteral("plik"));
    QVERIFY(writeBytes(fakeHome, "x"));
    qputenv("HOME", fakeHome.toLocal8Bit());
    Harness h;
    h.commands().openProject();
    QVERIFY(!h.commands().saveAsProject());
    QCOMPARE(h.seam.kinds(), (QStringList{"open", "save"}));
    QVERIFY(!h.projectFile);
}

void TestProjectCommands::saveAsSuggestsTheProjectName()
{
    Harness h;
    h.doc->scene()->setInvestmentName(QStringLiteral("Magazyn Północ"));
    h.doc->setModified(true);
    QVERIFY(!h.commands().saveAsProject());

    QCOMPARE(h.seam.kinds(), QStringList{"save"});
    const ScriptedDialogSeam::Shown dialog = h.seam.shown.first();
    QCOMPARE(dialog.title, QStringLiteral("Zapisz MOX Projekt"));
    QCOMPARE(dialog.text, m_home->filePath(QStringLiteral("mox/Magazyn Północ")));
    QCOMPARE(dialog.filter, QStringLiteral("MOX Files (*.mox *.xml)"));
    QVERIFY(dialog.hasParent);
    QVERIFY(QFileInfo(m_home->filePath(QStringLiteral("mox"))).isDir());
    QVERIFY(!h.projectFile);
    QVERIFY(h.doc->isModified());
    QCOMPARE(h.window.windowTitle(), QStringLiteral("MOX NORVANTE"));
}

void TestProjectCommands::saveWritesTheWriterDocument()
{
    Harness h;
    NetworkBuilder builder(h.doc->scene());
    builder.connect(builder.addPd(QPointF(300, 300), 1), builder.addCamera(QPointF(400, 300), 2), 35);
    h.doc->setModified(true);
    const QString path = m_home->filePath(QStringLiteral("zapis.mox"));

    // No current file: Save asks for a name.
    h.seam.fileAnswers.enqueue(path);
    QVERIFY(h.commands().saveProject());
    QCOMPARE(h.seam.kinds(), QStringList{"save"});
    QCOMPARE(h.path(), path);
    QVERIFY(!h.doc->isModified());
    QCOMPARE(h.status(), QStringLiteral("Zapisano projekt"));
    QCOMPARE(h.window.windowTitle(), QStringLiteral("MOX NORVANTE - [%1]").arg(path));

    QByteArray expected;
    QBuffer buffer(&expected);
    buffer.open(QIODevice::WriteOnly);
    ProjectWriter(h.doc).write(&buffer);
    QCOMPARE(fileBytes(path), expected);

    // With a current file Save asks nothing and replaces the content.
    h.doc->scene()->setInvestmentName(QStringLiteral("druga wersja"));
    h.doc->setModified(true);
    QVERIFY(h.commands().saveProject());
    QCOMPARE(h.seam.kinds(), QStringList{"save"});
    QVERIFY(fileBytes(path).contains("<name>druga wersja</name>"));
    QVERIFY(!h.doc->isModified());
    // Nothing but the project is left in the folder.
    QCOMPARE(QDir(m_home->path()).entryList(QDir::Files), QStringList{"zapis.mox"});
}

void TestProjectCommands::saveIntoAPlaceThatCannotHoldFiles()
{
    // The process may run as root, to whom file modes mean nothing; a parent
    // that is a regular file stops everybody.
    const QString blocker = m_home->filePath(QStringLiteral("zwykly-plik"));
    QVERIFY(writeBytes(blocker, "x"));
    const QString path = blocker + QStringLiteral("/projekt.mox");

    Harness h;
    h.doc->setModified(true);
    h.seam.fileAnswers.enqueue(path);
    QVERIFY(!h.commands().saveAsProject());
    QCOMPARE(h.seam.kinds(), (QStringList{"save", "message"}));
    const ScriptedDialogSeam::Shown box = h.seam.shown.at(1);
    QCOMPARE(box.title, QStringLiteral("MOX"));
    QVERIFY2(box.text.startsWith(QStringLiteral("Nie mogę zapisać pliku %1:\n").arg(path)), qPrintable(box.text));
    QVERIFY(box.text.endsWith(QLatin1Char('.')));
    QVERIFY(box.text.size() > QStringLiteral("Nie mogę zapisać pliku %1:\n.").arg(path).size());
    // The chosen path stays current; the project stays modified, title as it was.
    QCOMPARE(h.path(), path);
    QVERIFY(h.doc->isModified());
    QCOMPARE(h.window.windowTitle(), QStringLiteral("MOX NORVANTE"));
    QVERIFY(h.status().isEmpty());
    QCOMPARE(fileBytes(blocker), QByteArray("x"));

    // Save tries the same path again, without a dialog.
    QVERIFY(!h.commands().saveProject());
    QCOMPARE(h.seam.kinds(), (QStringList{"save", "message", "message"}));
}

void TestProjectCommands::interruptedSaveKeepsTheOldFile()
{
    Harness h;
    NetworkBuilder builder(h.doc->scene());
    builder.connect(builder.addPd(QPointF(300, 300), 1), builder.addCamera(QPointF(400, 300), 2), 35);
    const QString path = m_home->filePath(QStringLiteral("dobry.mox"));
    h.seam.fileAnswers.enqueue(path);
    QVERIFY(h.commands().saveAsProject());
    const QByteArray good = fileBytes(path);
    QVERIFY(good.size() > 1000);

    // The next version carries a large background; the file system refuses
    // every byte past 16 kB, as a full disk would.
    h.doc->setBackground(noisePicture(256));
    h.doc->scene()->setInvestmentName(QStringLiteral("niedokończony"));
    h.doc->setModified(true);
    struct rlimit old;
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
    struct rlimit small = old;
    small.rlim_cur = 16 * 1024;
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = h.commands().saveProject();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previousHandler);

    QVERIFY(!saved);
    QCOMPARE(fileBytes(path), good);
    QCOMPARE(QDir(m_home->path()).entryList(QDir::Files), QStringList{"dobry.mox"});
    QCOMPARE(h.seam.kinds(), (QStringList{"save", "message"}));
    QVERIFY(h.seam.shown.last().text.startsWith(QStringLiteral("Nie mogę zapisać pliku %1:\n").arg(path)));
    QVERIFY(h.doc->isModified());
    QCOMPARE(h.window.windowTitle(), QStringLiteral("MOX NORVANTE - [%1]").arg(path));

    // Room again: the same Save goes through.
    QVERIFY(h.commands().saveProject());
    QVERIFY(fileBytes(path).contains("<name>niedokończony</name>"));
}

void TestProjectCommands::prompt_data()
{
    QTest::addColumn<bool>("modified");
    QTest::addColumn<bool>("hasFile");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("saveAsAnswer");
    QTest::addColumn<bool>("result");
    QTest::addColumn<QStringList>("kinds");
    QTest::addColumn<bool>("written");

    QTest::newRow("unmodified: no question") << false << true << 0 << QString() << true << QStringList() << false;
    QTest::newRow("Nie zapisuj") << true << true << int(QMessageBox::Discard) << QString() << true
                                 << QStringList{"message"} << false;
    QTest::newRow("Anuluj") << true << true << int(QMessageBox::Cancel) << QString() << false
                            << QStringList{"message"} << false;
    QTest::newRow("Zapisz with a file") << true << true << int(QMessageBox::Save) << QString() << true
                                        << QStringList{"message"} << true;
    QTest::newRow("Zapisz untitled, Save As cancelled") << true << false << int(QMessageBox::Save) << QString()
                                                        << false << QStringList{"message", "save"} << false;
    QTest::newRow("Zapisz untitled, name given") << true << false << int(QMessageBox::Save) << "nowy.mox" << true
                                                 << QStringList{"message", "save"} << true;
}

void TestProjectCommands::prompt()
{
    QFETCH(bool, modified);
    QFETCH(bool, hasFile);
    QFETCH(int, answer);
    QFETCH(QString, saveAsAnswer);
    QFETCH(bool, result);
    QFETCH(QStringList, kinds);
    QFETCH(bool, written);

    Harness h;
    const QString name = hasFile ? QStringLiteral("stary.mox")
                                 : saveAsAnswer.isEmpty() ? QStringLiteral("bez-nazwy.mox") : saveAsAnswer;
    const QString path = m_home->filePath(name);
    if (hasFile)
        h.projectFile = new QFile(path);
    h.doc->setModified(modified);
    if (answer)
        h.seam.messageAnswers.enqueue(answer);
    if (!saveAsAnswer.isEmpty())
        h.seam.fileAnswers.enqueue(path);

    QCOMPARE(h.commands().maybeSave(), result);
    QCOMPARE(h.seam.kinds(), kinds);
    if (!kinds.isEmpty()) {
        const ScriptedDialogSeam::Shown box = h.seam.shown.first();
        QCOMPARE(box.text, QStringLiteral("Projekt zastał zmodyfikowany.\nCzy zapisać zmiany w pliku?"));
        QVERIFY(!box.hasParent);
        QVERIFY(box.title.isEmpty());
        QStringList buttons = box.buttons;
        buttons.sort();
        QCOMPARE(buttons, (QStringList{"Anuluj", "Nie zapisuj", "Zapisz"}));
        QCOMPARE(box.defaultButton, int(QMessageBox::Save));
    }
    QCOMPARE(QFile::exists(path), written);
    QCOMPARE(h.doc->isModified(), modified && !written);
}

QTEST_MAIN(TestProjectCommands)
#include "tst_projectcommands.moc"
