// What the user meets around the project file in the editor window: the
// title, the modified flag and the unsaved-changes prompt through open,
// change, save, save as and close.
#include "scripteddialogseam.h"
#include "networkbuilder.h"

#include "app/mainwindow.h"
#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "print/projectdoc.h"
#include "project/projectwriter.h"

#include <QFile>
#include <QMessageBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString writeSampleProject(const QString &path)
{
    ProjectDoc doc;
    doc.scene()->setInvestmentName(QStringLiteral("Szkoła Podstawowa nr 3"));
    NetworkBuilder builder(doc.scene());
    builder.connect(builder.addPd(QPointF(300, 300), 1), builder.addCamera(QPointF(450, 200), 1), 40);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QString();
    ProjectWriter(&doc).write(&file);
    return path;
}

} // namespace

class TestProjectWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void closingRightAfterStartUpAsksNothing();
    void sessionOfOpenChangeSaveSaveAsClose();
    void promptAnswersDecideTheClose();
    void openingAMissingFileLeavesAnEmptySheet();

private:
    QTemporaryDir *m_home = nullptr;
    QByteArray m_oldHome;
};

void TestProjectWindow::initTestCase()
{
    Q_INIT_RESOURCE(images);
    m_oldHome = qgetenv("HOME");
}

void TestProjectWindow::init()
{
    m_home = new QTemporaryDir;
    QVERIFY(m_home->isValid());
    qputenv("HOME", m_home->path().toLocal8Bit());
}

void TestProjectWindow::cleanup()
{
    qputenv("HOME", m_oldHome);
    delete m_home;
    m_home = nullptr;
}

void TestProjectWindow::closingRightAfterStartUpAsksNothing()
{
    ScriptedDialogSeam seam;
    MainWindow window(&seam);
    QCOMPARE(window.windowTitle(), QStringLiteral("MOX NORVANTE"));
    QVERIFY(window.close());
    QVERIFY(seam.shown.isEmpty());
}

void TestProjectWindow::sessionOfOpenChangeSaveSaveAsClose()
{
    ScriptedDialogSeam seam;
    MainWindow window(&seam);
    const QString first = writeSampleProject(m_home->filePath(QStringLiteral("szkola.mox")));
    QVERIFY(!first.isEmpty());

    // Open: the project counts as modified straight away.
    seam.fileAnswers.enqueue(first);
    window.openProject();
    QCOMPARE(window.windowTitle(), QStringLiteral("MOX NORVANTE - [%1]*").arg(first));
    QVERIFY(window.projectDoc()->isModified());
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("Otwarto projekt"));
    QCOMPARE(window.scene()->investmentName(), QStringLiteral("Szkoła Podstawowa nr 3"));
    QCOMPARE(seam.kinds(), QStringList{"open"});

    // Close at once: the prompt; "Anuluj" keeps the window.
    seam.messageAnswers.enqueue(QMessageBox::Cancel);
    QVERIFY(!window.close());
    QCOMPARE(seam.kinds(), (QStringList{"open", "message"}));

    // Save: no dialog, the star goes.
    QVERIFY(window.saveProject());
    QCOMPARE(window.windowTitle(), QStringLiteral("MOX NORVANTE - [%1]").arg(first));
    QVERIFY(!window.projectDoc()->isModified());
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("Zapisano projekt"));
    QCOMPARE(seam.kinds(), (QStringList{"open", "message"}));

    // A change brings the star back.
    window.scene()->setInvestmentName(QStringLiteral("Szkoła – etap 2"));
    QVERIFY(window.projectDoc()->isModified());
    QCOMPARE(window.windowTitle(), QStringLiteral("MOX NORVANTE - [%1]*").arg(first));

    // Save As: a new current path; the old file keeps the old name.
    const QString second = m_home->filePath(QStringLiteral("mox/szkola-etap2.mox"));
    seam.fileAnswers.enqueue(second);
    QVERIFY(window.saveAsProject());
    QCOMPARE(seam.shown.last().kind, QStringLiteral("save"));
    QCOMPARE(seam.shown.last().text, m_home->filePath(QStringLiteral("mox/Szkoła – etap 2")));
    QCOMPARE(window.windowTitle(), QStringLiteral("MOX NORVANTE - [%1]").arg(second));
    QVERIFY(fileBytes(second).contains("<name>Szkoła – etap 2</name>"));
    QVERIFY(fileBytes(first).contains("<name>Szkoła Podstawowa nr 3</name>"));

    // Nothing changed since: closing asks nothing.
    const int shownBefore = seam.shown.size();
    QVERIFY(window.close());
    QCOMPARE(seam.shown.size(), shownBefore);
}

void TestProjectWindow::promptAnswersDecideTheClose()
{
    const QString path = writeSampleProject(m_home->filePath(QStringLiteral("p.mox")));
    const QByteArray before = fileBytes(path);
    {
        // "Nie zapisuj": closes, the file stays as it was.
        ScriptedDialogSeam seam;
        MainWindow window(&seam);
        window.loadProject(path);
        window.scene()->setInvestmentName(QStringLiteral("nie zapisana zmiana"));
        seam.messageAnswers.enqueue(QMessageBox::Discard);
        QVERIFY(window.close());
        QCOMPARE(fileBytes(path), before);
    }
    {
        // "Zapisz": the file gets the change, then the window closes.
        ScriptedDialogSeam seam;
        MainWindow window(&seam);
        window.loadProject(path);
        window.scene()->setInvestmentName(QStringLiteral("zapisana zmiana"));
        seam.messageAnswers.enqueue(QMessageBox::Save);
        QVERIFY(window.close());
        QVERIFY(fileBytes(path).contains("<name>zapisana zmiana</name>"));
    }
    {
        // "Zapisz" on an untitled project: Save As, cancelled, keeps the window.
        ScriptedDialogSeam seam;
        MainWindow window(&seam);
        window.projectDoc()->setModified(true);
        seam.messageAnswers.enqueue(QMessageBox::Save);
        QVERIFY(!window.close());
        QCOMPARE(seam.kinds(), (QStringList{"message", "save"}));
        QCOMPARE(window.windowTitle(), QStringLiteral("MOX NORVANTE"));
    }
}

void TestProjectWindow::openingAMissingFileLeavesAnEmptySheet()
{
    ScriptedDialogSeam seam;
    MainWindow window(&seam);
    const QString missing = m_home->filePath(QStringLiteral("mox/brak.mox"));
    seam.fileAnswers.enqueue(missing);
    window.openProject();
    QCOMPARE(seam.kinds(), (QStringList{"open", "message"}));
    QCOMPARE(seam.shown.last().text,
             QStringLiteral("Nie mogę odczytać pliku %1:\nNo such file or directory.").arg(missing));
    QVERIFY(!window.projectFile());
    QVERIFY(window.scene()->items().isEmpty());
    QCOMPARE(window.windowTitle(), QStringLiteral("MOX NORVANTE"));

    // The next Save asks for a name.
    QVERIFY(!window.saveProject());
    QCOMPARE(seam.shown.last().kind, QStringLiteral("save"));
}

QTEST_MAIN(TestProjectWindow)
#include "tst_projectwindow.moc"
