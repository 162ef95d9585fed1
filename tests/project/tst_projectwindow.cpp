// What the user meets around the project file in the editor window: the
// title, the modified flag and the unsaved-changes prompt through open,
// change, save, save as and close; files that cannot be read or written.
#include "filesizelimit.h"
#include "networkbuilder.h"
#include "scripteddialogseam.h"
#include "temporaryhome.h"
#include "testhelpers.h"

#include "app/mainwindow.h"
#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "diagram/wire.h"
#include "print/projectdoc.h"

#include <QDir>
#include <QMessageBox>
#include <QStatusBar>
#include <QtTest>

#include <cerrno>
#include <cstring>
#include <sys/mount.h>
#include <unistd.h>

using tst::fileBytes;
using tst::writeBytes;

namespace {

bool writeSampleProject(const QString &path)
{
    return tst::writeSampleProject(path, QStringLiteral("Szkoła Podstawowa nr 3"));
}

// A small tmpfs of our own, mounted over a temporary folder for one test and
// taken away again, whatever the test's outcome.
class SmallFileSystem
{
public:
    explicit SmallFileSystem(const QString &dir)
        : m_dir(QFile::encodeName(dir))
    {
        if (geteuid() != 0) {
            m_whyNot = QStringLiteral("mounting a small file system needs root");
            return;
        }
        if (::mount("tmpfs", m_dir.constData(), "tmpfs", 0, "size=1m") != 0)
            m_whyNot = QStringLiteral("mount refused: %1").arg(QString::fromLocal8Bit(strerror(errno)));
    }
    ~SmallFileSystem()
    {
        if (m_whyNot.isEmpty())
            ::umount2(m_dir.constData(), MNT_DETACH);
    }
    // Empty when mounted.
    QString whyNot() const { return m_whyNot; }
    bool makeReadOnly()
    {
        return ::mount(nullptr, m_dir.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }

private:
    QByteArray m_dir;
    QString m_whyNot;
};

// Fills the file system holding dir until it refuses, then gives back about
// a few kB, so small files still fit and a project with a background does not.
bool fillUp(const QString &filler, qint64 leaveFree)
{
    QFile file(filler);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    const QByteArray block(4096, 'x');
    while (file.write(block) == block.size()) {
    }
    return file.resize(qMax<qint64>(0, file.size() - leaveFree));
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
    void initTestCase() { Q_INIT_RESOURCE(images); }
    void init()
    {
        m_home.reset(new TemporaryHome);
        QVERIFY(m_home->isValid());
    }
    void cleanup() { m_home.reset(); }
    void sessionOfOpenChangeSaveSaveAsClose();
    void secondOpenRefillsTheTitleBlock();
    void closePrompt_data();
    void closePrompt();
    void fileSystemRefuses_data();
    void fileSystemRefuses();
    void interruptedSaveKeepsTheOldFile_data();
    void interruptedSaveKeepsTheOldFile();

private:
    QScopedPointer<TemporaryHome> m_home;
};

void TestProjectWindow::sessionOfOpenChangeSaveSaveAsClose()
{
    ScriptedDialogSeam seam;
    MainWindow window(&seam);
    NetworkBuilder(window.scene()).addCamera(QPointF(10, 10));

    // Open: the drawing is replaced and counts as modified straight away; the
    // old background goes although the file has none.
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
    QCOMPARE(tst::itemsOf<DiagramItem>(window.scene()).size(), 2);
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
    QCOMPARE(tst::itemsOf<DiagramItem>(window.scene()).size(), 1);
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

void TestProjectWindow::fileSystemRefuses_data()
{
    QTest::addColumn<QString>("place");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("systemText");
    // The process may run as root, to whom file modes mean nothing; a parent
    // that is a regular file stops everybody.
    QTest::newRow("save as under a plain file") << "under a file" << "save as" << QString::fromLocal8Bit(strerror(ENOTDIR));
    QTest::newRow("save as onto a folder") << "folder" << "save as" << QString::fromLocal8Bit(strerror(EISDIR));
    QTest::newRow("save onto a read-only file system") << "read-only" << "save" << QString::fromLocal8Bit(strerror(EROFS));
    QTest::newRow("open a folder") << "folder" << "open" << QString::fromLocal8Bit(strerror(EISDIR));
}

void TestProjectWindow::fileSystemRefuses()
{
    QFETCH(QString, place);
    QFETCH(QString, command);
    QFETCH(QString, systemText);

    const QString folder = m_home->filePath(QStringLiteral("dysk"));
    QVERIFY(QDir().mkpath(folder));
    QString path = folder + QStringLiteral("/projekt.mox");
    QScopedPointer<SmallFileSystem> disk;
    if (place == QLatin1String("under a file")) {
        // The home is that file as well, so "mox" cannot be made in it
        // either: the dialog opens all the same.
        const QString blocker = m_home->filePath(QStringLiteral("zwykly-plik"));
        QVERIFY(writeBytes(blocker, "x"));
        qputenv("HOME", blocker.toLocal8Bit());
        path = blocker + QStringLiteral("/projekt.mox");
    } else if (place == QLatin1String("folder")) {
        QVERIFY(QDir().mkpath(path));
    } else {
        disk.reset(new SmallFileSystem(folder));
        if (!disk->whyNot().isEmpty())
            QSKIP(qPrintable(disk->whyNot()));
        QVERIFY(writeSampleProject(path));
    }

    ScriptedDialogSeam seam;
    MainWindow window(&seam);
    if (place == QLatin1String("read-only")) {
        window.loadProject(path);
        QVERIFY(disk->makeReadOnly());
    }
    const QByteArray before = fileBytes(path);
    window.projectDoc()->setModified(true);
    const QString titleBefore = window.windowTitle();
    seam.fileAnswers.enqueue(path);
    if (command == QLatin1String("open")) {
        window.openProject();
        QCOMPARE(seam.shown.last().text, QStringLiteral("Nie mogę odczytać pliku %1:\n%2.").arg(path, systemText));
        QVERIFY(!window.projectFile());
        return;
    }
    QVERIFY(command == QLatin1String("save") ? !window.saveProject() : !window.saveAsProject());
    QCOMPARE(seam.shown.last().title, QStringLiteral("MOX"));
    QCOMPARE(seam.shown.last().text, QStringLiteral("Nie mogę zapisać pliku %1:\n%2.").arg(path, systemText));
    QVERIFY(window.projectDoc()->isModified());
    QCOMPARE(window.windowTitle(), titleBefore);
    QCOMPARE(fileBytes(path), before);
    // The chosen path stays current: Save tries it again, without a dialog.
    const int shown = seam.shown.size();
    QVERIFY(!window.saveProject());
    QCOMPARE(seam.kinds().mid(shown), QStringList{"message"});
}

void TestProjectWindow::interruptedSaveKeepsTheOldFile_data()
{
    QTest::addColumn<bool>("fullDisk"); // false: a file-size limit
    QTest::addColumn<bool>("background");
    QTest::addColumn<QString>("systemText");
    // A small project stays in the write buffer until the very end: the
    // last write is the one that fails.
    const QString tooLarge = QString::fromLocal8Bit(strerror(EFBIG));
    const QString noSpace = QString::fromLocal8Bit(strerror(ENOSPC));
    QTest::newRow("file-size limit, small project") << false << false << tooLarge;
    QTest::newRow("file-size limit, large background") << false << true << tooLarge;
    QTest::newRow("full file system, small project") << true << false << noSpace;
    QTest::newRow("full file system, large background") << true << true << noSpace;
}

void TestProjectWindow::interruptedSaveKeepsTheOldFile()
{
    QFETCH(bool, fullDisk);
    QFETCH(bool, background);
    QFETCH(QString, systemText);

    const QString folder = m_home->filePath(QStringLiteral("dysk"));
    QVERIFY(QDir().mkpath(folder));
    QScopedPointer<SmallFileSystem> disk;
    if (fullDisk) {
        disk.reset(new SmallFileSystem(folder));
        if (!disk->whyNot().isEmpty())
            QSKIP(qPrintable(disk->whyNot()));
    }

    ScriptedDialogSeam seam;
    MainWindow window(&seam);
    const QString path = folder + QStringLiteral("/dobry.mox");
    QVERIFY(writeSampleProject(path));
    window.loadProject(path);
    QVERIFY(window.saveProject());
    const QByteArray good = fileBytes(path);

    if (background) {
        // A background that PNG cannot squeeze.
        QImage noise(256, 256, QImage::Format_RGB32);
        QRandomGenerator(7).fillRange(reinterpret_cast<quint32 *>(noise.bits()), 256 * 256);
        window.projectDoc()->setBackground(QPixmap::fromImage(noise));
    }
    window.scene()->setInvestmentName(QStringLiteral("niedokończony"));
    window.statusBar()->clearMessage();
    const QString filler = folder + QStringLiteral("/wypelniacz");
    bool saved = false;
    if (fullDisk) {
        QVERIFY(fillUp(filler, background ? 12 * 1024 : 0));
        saved = window.saveProject();
    } else {
        const FileSizeLimit limit(background ? 16 * 1024 : 512);
        QVERIFY(limit.isActive());
        saved = window.saveProject();
    }

    QVERIFY(!saved);
    QCOMPARE(fileBytes(path), good);
    QStringList left = QDir(folder).entryList(QDir::Files);
    left.removeAll(QStringLiteral("wypelniacz"));
    QCOMPARE(left, QStringList{"dobry.mox"});
    QCOMPARE(seam.kinds(), QStringList{"message"});
    QCOMPARE(seam.shown.last().text, QStringLiteral("Nie mogę zapisać pliku %1:\n%2.").arg(path, systemText));
    QVERIFY(window.projectDoc()->isModified());
    QCOMPARE(window.windowTitle(), title(path, true));
    QVERIFY(window.statusBar()->currentMessage().isEmpty());
    // Room again: the same Save goes through.
    QFile::remove(filler);
    QVERIFY(window.saveProject());
    QVERIFY(fileBytes(path).contains("<name>niedokończony</name>"));
}

QTEST_MAIN(TestProjectWindow)
#include "tst_projectwindow.moc"
