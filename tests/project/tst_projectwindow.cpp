// What the user meets around the project file in the editor window: the
// title, the modified flag and the unsaved-changes prompt through open,
// change, save, save as and close; files that cannot be read or written.
#include "scripteddialogseam.h"
#include "networkbuilder.h"

#include "app/mainwindow.h"
#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "diagram/wire.h"
#include "print/projectdoc.h"
#include "project/projectwriter.h"

#include <QDir>
#include <QMessageBox>
#include <QStatusBar>
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

// A point feeding a camera; name "Szkoła Podstawowa nr 3".
bool writeSampleProject(const QString &path)
{
    ProjectDoc doc;
    doc.scene()->setInvestmentName(QStringLiteral("Szkoła Podstawowa nr 3"));
    NetworkBuilder builder(doc.scene());
    builder.connect(builder.addPd(QPointF(300, 300), 1), builder.addCamera(QPointF(450, 200), 1), 40);
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && ProjectWriter(&doc).write(&file);
}

int countDiagramItems(DiagramScene *scene)
{
    int n = 0;
    for (QGraphicsItem *item : scene->items())
        n += item->type() == DiagramItem::Type;
    return n;
}

QString title(const QString &path = QString(), bool modified = false)
{
    return path.isEmpty() ? QStringLiteral("MOX NORVANTE")
                          : QStringLiteral("MOX NORVANTE - [%1]%2").arg(path, modified ? QStringLiteral("*") : QString());
}

} // namespace

class TestProjectWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Q_INIT_RESOURCE(images); m_oldHome = qgetenv("HOME"); }
    void init()
    {
        // Every test gets a home of its own, so "mox" in it starts missing.
        m_home.reset(new QTemporaryDir);
        QVERIFY(m_home->isValid());
        qputenv("HOME", m_home->path().toLocal8Bit());
    }
    void cleanup() { qputenv("HOME", m_oldHome); }
    void sessionOfOpenChangeSaveSaveAsClose();
    void secondOpenRefillsTheTitleBlock();
    void closePrompt_data();
    void closePrompt();
    void saveThatCannotWrite();
    void interruptedSaveKeepsTheOldFile();

private:
    QScopedPointer<QTemporaryDir> m_home;
    QByteArray m_oldHome;
};

void TestProjectWindow::sessionOfOpenChangeSaveSaveAsClose()
{
    ScriptedDialogSeam seam;
    MainWindow window(&seam);
    NetworkBuilder(window.scene()).addCamera(QPointF(10, 10));

    // Open: the drawing is replaced and counts as modified straight away; the old background
    // goes although the file has none. as modified straight away; the old background
    // goes although the file has none.
    const QString first = m_home->filePath(QStringLiteral("szkola.mox"));
    QVERIFY(writeSampleProject(first));
    window.projectDoc()->setBackground(QPixmap(8, 8));
    window.hideWires(true);
    window.hideDescriptions(true);
    seam.fileAnswers.enqueue(first);
    window.openProject();
    QCOMPARE(seam.kinds(), QStringList{"open"});
    QCOMPARE(seam.shown.first().title, QStringLiteral("Otwórz projekt MOX"));
    QCOMPARE(seam.shown.first().text, m_home->filePath(QStringLiteral("mox")));
    QCOMPARE(seam.shown.first().filter, QStringLiteral("MOX Files (*.mox *.xml)"));
    QVERIFY(seam.shown.first().hasParent);
    QVERIFY(QFileInfo(m_home->filePath(QStringLiteral("mox"))).isDir());
    QCOMPARE(window.windowTitle(), title(first, true));
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("Otwarto projekt"));
    QCOMPARE(window.scene()->investmentName(), QStringLiteral("Szkoła Podstawowa nr 3"));
    QVERIFY(window.projectDoc()->background().isNull());
    QCOMPARE(window.scene()->backgroundBrush().style(), Qt::NoBrush);
    // Loaded items get the element menu and follow what the View menu hides.
    QCOMPARE(countDiagramItems(window.scene()), 2);
    for (QGraphicsItem *item : window.scene()->items()) {
        if (item->type() == DiagramItem::Type) {
            QCOMPARE(static_cast<DiagramItem *>(item)->contextMenu(), window.itemMenu());
            QVERIFY(static_cast<DiagramItem *>(item)->descriptionsHidden());
        }
        QVERIFY(item->type() != Wire::Type || !item->isVisible());
    }

    // Close at once: the prompt; "Anuluj" keeps the window.
    seam.messageAnswers.enqueue(QMessageBox::Cancel);
    QVERIFY(!window.close());
    QCOMPARE(seam.kinds(), (QStringList{"open", "message"}));

    // Save: no dialog, the star goes; a change brings it back.
    QVERIFY(window.saveProject());
    QCOMPARE(window.windowTitle(), title(first));
    QVERIFY(!window.projectDoc()->isModified());
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("Zapisano projekt"));
    window.scene()->setInvestmentName(QStringLiteral("Szkoła – etap 2"));
    QVERIFY(window.projectDoc()->isModified());
    QCOMPARE(window.windowTitle(), title(first, true));

    // Save As suggests the project name in "mox"; the old file keeps the old name.
    const QString second = m_home->filePath(QStringLiteral("mox/szkola-etap2.mox"));
    seam.fileAnswers.enqueue(second);
    QVERIFY(window.saveAsProject());
    QCOMPARE(seam.kinds(), (QStringList{"open", "message", "save"}));
    QCOMPARE(seam.shown.last().title, QStringLiteral("Zapisz MOX Projekt"));
    QCOMPARE(seam.shown.last().text, m_home->filePath(QStringLiteral("mox/Szkoła – etap 2")));
    QCOMPARE(window.windowTitle(), title(second));
    QVERIFY(fileBytes(second).contains("<name>Szkoła – etap 2</name>"));
    QVERIFY(fileBytes(first).contains("<name>Szkoła Podstawowa nr 3</name>"));
    // Nothing but the projects is left behind.
    QCOMPARE(QDir(m_home->path()).entryList(QDir::Files), QStringList{"szkola.mox"});
    QCOMPARE(QDir(m_home->filePath("mox")).entryList(QDir::Files), QStringList{"szkola-etap2.mox"});

    // A missing file: the message, an empty sheet, no current file, the title as it was.
    const QString missing = m_home->filePath(QStringLiteral("brak.mox"));
    seam.fileAnswers.enqueue(missing);
    window.openProject();
    QCOMPARE(seam.kinds(), (QStringList{"open", "message", "save", "open", "message"}));
    const ScriptedDialogSeam::Shown box = seam.shown.last();
    QCOMPARE(QStringList({box.title, box.buttons.join(','), box.text}),
             QStringList({"MOX", "OK", QStringLiteral("Nie mogę odczytać pliku %1:\nNo such file or directory.").arg(missing)}));
    QVERIFY(box.hasParent);
    QVERIFY(!window.projectFile());
    QVERIFY(window.scene()->items().isEmpty());
    QCOMPARE(window.windowTitle(), title(second));

    // A damaged file: what was read before the damage stays, under its name.
    const QString damaged = m_home->filePath(QStringLiteral("uszkodzony.mox"));
    QVERIFY(writeBytes(damaged, "<?xml version=\"1.0\"?>\n<mox version=\"1.0\">\n"
                                "<camera id=\"0\" x=\"10\" y=\"20\" rotation=\"0\"/>\n<pd id=\"1\""));
    window.loadProject(damaged);
    QCOMPARE(seam.shown.last().text,
             QStringLiteral("Nie mogę odczytać pliku %1:\n\nPremature end of document.\nLine 4, column 10").arg(damaged));
    QCOMPARE(countDiagramItems(window.scene()), 1);
    QCOMPARE(window.windowTitle(), title(damaged, true));

    // The damaged project counts as changed: closing asks, "Nie zapisuj" closes.
    seam.messageAnswers.enqueue(QMessageBox::Discard);
    QVERIFY(window.close());
    QCOMPARE(seam.kinds(), (QStringList{"open", "message", "save", "open", "message", "message", "message"}));
}

void TestProjectWindow::secondOpenRefillsTheTitleBlock()
{
    // Reading a project empties the sheet, title block included, before the
    // new name arrives; the name change must not reach the old title texts.
    ScriptedDialogSeam seam;
    MainWindow window(&seam);
    const QString first = m_home->filePath(QStringLiteral("szkola.mox"));
    QVERIFY(writeSampleProject(first));
    seam.fileAnswers.enqueue(first);
    window.openProject();
    window.scene()->setInvestmentName(QStringLiteral("Przedszkole"));
    seam.fileAnswers.enqueue(first);
    window.openProject();
    QCOMPARE(seam.kinds(), (QStringList{"open", "open"}));
    QCOMPARE(window.projectDoc()->nameText()->toPlainText(), QStringLiteral("Szkoła Podstawowa nr 3"));
    QVERIFY(window.projectDoc()->logoItem());
}

void TestProjectWindow::closePrompt_data()
{
    QTest::addColumn<bool>("hasFile");
    QTest::addColumn<int>("answer"); // 0: nothing changed
    QTest::addColumn<QString>("saveAsName");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<QStringList>("kinds");
    QTest::addColumn<bool>("written");

    QTest::newRow("saved: no question") << true << 0 << QString() << true << QStringList() << false;
    QTest::newRow("Nie zapisuj") << true << int(QMessageBox::Discard) << QString() << true << QStringList{"message"}
                                 << false;
    QTest::newRow("Anuluj") << true << int(QMessageBox::Cancel) << QString() << false << QStringList{"message"} << false;
    QTest::newRow("Zapisz") << true << int(QMessageBox::Save) << QString() << true << QStringList{"message"} << true;
    QTest::newRow("Zapisz untitled, Save As cancelled")
        << false << int(QMessageBox::Save) << QString() << false << QStringList{"message", "save"} << false;
    QTest::newRow("Zapisz untitled, name given")
        << false << int(QMessageBox::Save) << "nowy.mox" << true << QStringList{"message", "save"} << true;
}

void TestProjectWindow::closePrompt()
{
    QFETCH(bool, hasFile);
    QFETCH(int, answer);
    QFETCH(QString, saveAsName);
    QFETCH(bool, closes);
    QFETCH(QStringList, kinds);
    QFETCH(bool, written);

    ScriptedDialogSeam seam;
    MainWindow window(&seam);
    const QString path = m_home->filePath(hasFile ? QStringLiteral("p.mox") : QStringLiteral("nowy.mox"));
    if (hasFile) {
        QVERIFY(writeSampleProject(path));
        window.loadProject(path);
        QVERIFY(window.saveProject());
    }
    const QByteArray before = fileBytes(path);
    if (answer) {
        // Edits in the dock mark the project; the name alone marks only a loaded one.
        window.scene()->setInvestmentName(QStringLiteral("zmiana"));
        window.projectDoc()->setModified(true);
        seam.messageAnswers.enqueue(answer);
    }
    if (!saveAsName.isEmpty())
        seam.fileAnswers.enqueue(path);

    QCOMPARE(window.close(), closes);
    QCOMPARE(seam.kinds(), kinds);
    if (!kinds.isEmpty()) {
        const ScriptedDialogSeam::Shown box = seam.shown.first();
        QCOMPARE(box.text, QStringLiteral("Projekt zastał zmodyfikowany.\nCzy zapisać zmiany w pliku?"));
        QVERIFY(!box.hasParent);
        QVERIFY(box.title.isEmpty());
        QStringList buttons = box.buttons;
        buttons.sort();
        QCOMPARE(buttons, (QStringList{"Anuluj", "Nie zapisuj", "Zapisz"}));
        QCOMPARE(box.defaultButton, int(QMessageBox::Save));
    }
    QCOMPARE(fileBytes(path).contains("<name>zmiana</name>"), written);
    if (!written)
        QCOMPARE(fileBytes(path), before);
    QCOMPARE(window.projectDoc()->isModified(), answer && !written);
}

void TestProjectWindow::saveThatCannotWrite()
{
    // The process may run as root, to whom file modes mean nothing; a parent
    // that is a regular file stops everybody. Here it is the home as well, so
    // "mox" cannot be made in it either: the dialog opens all the same.
    const QString blocker = m_home->filePath(QStringLiteral("zwykly-plik"));
    QVERIFY(writeBytes(blocker, "x"));
    qputenv("HOME", blocker.toLocal8Bit());
    const QString path = blocker + QStringLiteral("/projekt.mox");
    ScriptedDialogSeam seam;
    MainWindow window(&seam);
    window.projectDoc()->setModified(true);
    seam.fileAnswers.enqueue(path);
    QVERIFY(!window.saveAsProject());

    QCOMPARE(seam.kinds(), (QStringList{"save", "message"}));
    const QString text = seam.shown.last().text;
    QCOMPARE(seam.shown.last().title, QStringLiteral("MOX"));
    QVERIFY2(text.startsWith(QStringLiteral("Nie mogę zapisać pliku %1:\n").arg(path)), qPrintable(text));
    QVERIFY(text.endsWith(QLatin1Char('.')));
    QVERIFY(text.size() > QStringLiteral("Nie mogę zapisać pliku %1:\n.").arg(path).size());
    QVERIFY(window.projectDoc()->isModified());
    QCOMPARE(window.windowTitle(), title());
    QCOMPARE(fileBytes(blocker), QByteArray("x"));
    // The chosen path stays current: Save tries it again, without a dialog.
    QVERIFY(!window.saveProject());
    QCOMPARE(seam.kinds(), (QStringList{"save", "message", "message"}));
}

void TestProjectWindow::interruptedSaveKeepsTheOldFile()
{
    ScriptedDialogSeam seam;
    MainWindow window(&seam);
    const QString path = m_home->filePath(QStringLiteral("dobry.mox"));
    QVERIFY(writeSampleProject(path));
    window.loadProject(path);
    QVERIFY(window.saveProject());
    const QByteArray good = fileBytes(path);

    // The next version carries a large background that PNG cannot squeeze;
    // the file system refuses every byte past 16 kB, as a full disk would.
    QImage noise(256, 256, QImage::Format_RGB32);
    QRandomGenerator(7).fillRange(reinterpret_cast<quint32 *>(noise.bits()), 256 * 256);
    window.projectDoc()->setBackground(QPixmap::fromImage(noise));
    window.scene()->setInvestmentName(QStringLiteral("niedokończony"));
    struct rlimit old;
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
    struct rlimit small = old;
    small.rlim_cur = 16 * 1024;
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved = window.saveProject();
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previousHandler);

    QVERIFY(!saved);
    QCOMPARE(fileBytes(path), good);
    QCOMPARE(QDir(m_home->path()).entryList(QDir::Files), QStringList{"dobry.mox"});
    QCOMPARE(seam.kinds(), QStringList{"message"});
    QVERIFY(seam.shown.last().text.startsWith(QStringLiteral("Nie mogę zapisać pliku %1:\n").arg(path)));
    QVERIFY(window.projectDoc()->isModified());
    QCOMPARE(window.windowTitle(), title(path, true));
    // Room again: the same Save goes through.
    QVERIFY(window.saveProject());
    QVERIFY(fileBytes(path).contains("<name>niedokończony</name>"));
}

QTEST_MAIN(TestProjectWindow)
#include "tst_projectwindow.moc"
