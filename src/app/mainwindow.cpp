#include "app/mainwindow.h"

#include "app/autosave.h"
#include "app/bomexportcommand.h"
#include "app/dialogseam.h"
#include "app/editcommands.h"
#include "app/selectionbinding.h"
#include "app/modaldialogseam.h"
#include "app/poecheckdock.h"
#include "calc/modelselection.h"
#include "calc/networkcalc.h"
#include "catalogue/catalogue.h"
#include "check/poecheck.h"
#include "check/poecheckreport.h"
#include "app/projectcommands.h"
#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "diagram/wire.h"
#include "log/moxlog.h"
#include "print/orderprintjob.h"
#include "print/projectdoc.h"
#include "print/schematicprint.h"
#include "property/widget/qtnpropertywidget.h"
#include "propertysets/qtnpropertysetproject.h"
#include "undo/undohistory.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QGraphicsView>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QToolBox>
#include <QToolButton>

#include "wizard/newprojectcommand.h"

namespace {
const char *const kVersion = "1.0.22";
const int kStatusTimeout = 3000;
}

MainWindow::MainWindow(DialogSeam *seam)
    : QMainWindow(nullptr)
    , m_pModalSeam(new ModalDialogSeam)
    , m_pDialogSeam(seam ? seam : m_pModalSeam.get())
{
    m_pProjectFile = nullptr;
    installModelSelection();
    openCatalogue();

    createActions();
    createToolBox();
    createMenus();

    m_pProjectDoc = new ProjectDoc(nullptr);
    m_pProjectDoc->setItemMenu(m_pItemMenu);
    DiagramScene *diagramScene = m_pProjectDoc->scene();
    connect(diagramScene, &DiagramScene::itemInserted, this, &MainWindow::itemInserted);
    connect(diagramScene, &QGraphicsScene::selectionChanged, this, &MainWindow::selectionChanged);
    connect(diagramScene, &DiagramScene::wireInserted, this, &MainWindow::wireInserted);

    createToolbars();
    createCentralArea();
    createPropertyDock();
    // Follows the sheet's modified flag from the first change on.
    Autosave::of(this);
    m_pUndoHistory = new UndoHistory(this);
    m_pUndoHistory->appendActions(m_pItemMenu, m_pEditToolBar);
    m_pPoeCheckDock = new PoeCheckDock(this, m_pViewMenu);

    setWindowTitle(tr("MOX NORVANTE"));
    setUnifiedTitleAndToolBarOnMac(true);
}

MainWindow::~MainWindow()
{
    // The sheet, with the scene and every set it owns, goes before the dock:
    // the view must not be left holding one of those sets.
    m_pPropertyWidget->setPropertySet(nullptr);
    delete m_pProjectFile;
}

void MainWindow::setDialogSeam(DialogSeam *seam)
{
    m_pDialogSeam = seam ? seam : m_pModalSeam.get();
}

void MainWindow::showAtStartUp()
{
    setMinimumSize(950, 600);
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(),
                                    QGuiApplication::primaryScreen()->availableGeometry()));
    setWindowState(Qt::WindowMaximized);
    show();
}

QString MainWindow::projectFromArguments(const QStringList &arguments)
{
    return arguments.size() == 2 ? arguments.at(1) : QString();
}

DiagramScene *MainWindow::scene() const
{
    return m_pProjectDoc->scene();
}

// The catalogue sits beside the executable. It is opened only when the file is
// there: opening a missing SQLite file would create an empty catalogue that
// every later start would then take for the real one.
void MainWindow::openCatalogue()
{
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
    const QString path = QCoreApplication::applicationDirPath() + QDir::separator()
                         + QStringLiteral("moxproducts.db");
    qCDebug(MoxLog::app) << "catalogue" << path;
    m_db.setDatabaseName(path);
    if (QFileInfo::exists(path)) {
        if (m_db.open())
            statusBar()->showMessage(tr("Połączono z bazą danych"), kStatusTimeout);
    } else {
        statusBar()->showMessage(tr("Brak połączenia z bazą danych"), kStatusTimeout);
    }
    Catalogue::reloadSnapshot();
}

QAction *MainWindow::createAction(const QString &text, const QString &icon, const QString &statusTip)
{
    QAction *action = icon.isEmpty()
                          ? new QAction(text, this)
                          : new QAction(QIcon(QStringLiteral(":/images/") + icon), text, this);
    action->setStatusTip(statusTip);
    return action;
}

void MainWindow::createActions()
{
    m_pRotateLeftAction = createAction(tr("Obrót w lewo"), QStringLiteral("object-rotate-left.png"),
                                       tr("obrót w lewo"));
    m_pRotateLeftAction->setShortcut(QKeySequence(tr("Ctrl+[")));
    connect(m_pRotateLeftAction, &QAction::triggered, this, &MainWindow::rotateLeft);

    m_pRotateRightAction = createAction(tr("Obrót w prawo"), QStringLiteral("object-rotate-right.png"),
                                        tr("obrót w prawo"));
    m_pRotateRightAction->setShortcut(QKeySequence(tr("Ctrl+]")));
    connect(m_pRotateRightAction, &QAction::triggered, this, &MainWindow::rotateRight);

    m_pNewProjectAction = createAction(tr("&Nowy projekt"), QStringLiteral("document-new.png"),
                                       tr("Generowanie nowego projektu za pomocą kreatora"));
    m_pNewProjectAction->setShortcut(QKeySequence(tr("Ctrl+N")));
    connect(m_pNewProjectAction, &QAction::triggered, this, &MainWindow::newProjectWizard);

    m_pOpenAction = createAction(tr("&Otwórz"), QStringLiteral("document-open.png"), tr("Otwarcie projektu"));
    m_pOpenAction->setShortcut(QKeySequence(tr("Ctrl+O")));
    connect(m_pOpenAction, &QAction::triggered, this, &MainWindow::openProject);

    m_pSaveAction = createAction(tr("&Zapisz"), QStringLiteral("document-save.png"), tr("Zapis projektu"));
    m_pSaveAction->setShortcut(QKeySequence(tr("Ctrl+S")));
    connect(m_pSaveAction, &QAction::triggered, this, &MainWindow::saveProject);

    m_pSaveAsAction = createAction(tr("Z&apisz jako"), QStringLiteral("document-save.png"),
                                   tr("Zapis projektu jako"));
    connect(m_pSaveAsAction, &QAction::triggered, this, &MainWindow::saveAsProject);

    m_pPrintProjectAction = createAction(tr("&Drukuj projekt"), QStringLiteral("document-print.png"),
                                         tr("Drukowanie projektu do pliku PDF"));
    m_pPrintProjectAction->setShortcut(QKeySequence(tr("Ctrl+P")));
    connect(m_pPrintProjectAction, &QAction::triggered, this, &MainWindow::printProject);

    m_pPrintOrderAction = createAction(tr("D&rukuj zamówienie"), QStringLiteral("document-print-frame.png"),
                                       tr("Drukowanie zamówienia do pliku PDF"));
    m_pPrintOrderAction->setShortcut(QKeySequence(tr("Ctrl+R")));
    connect(m_pPrintOrderAction, &QAction::triggered, this, &MainWindow::printOrder);

    m_pHideWiresAction = createAction(tr("Ukryj połączenia"), QString(), tr("Ukrywa / Pokazuje połączenia"));
    m_pHideWiresAction->setCheckable(true);
    connect(m_pHideWiresAction, &QAction::toggled, this, &MainWindow::hideWires);

    m_pHideDescriptionsAction = createAction(tr("Ukryj opisy"), QString(),
                                             tr("Ukrywa / Pokazuje opisy urządzenia"));
    m_pHideDescriptionsAction->setCheckable(true);
    connect(m_pHideDescriptionsAction, &QAction::toggled, this, &MainWindow::hideDescriptions);

    m_pDeleteAction = createAction(tr("&Usuń"), QStringLiteral("delete.png"), tr("Usuń element z diagramu"));
    m_pDeleteAction->setShortcut(QKeySequence(tr("Delete")));
    connect(m_pDeleteAction, &QAction::triggered, this, &MainWindow::deleteItem);

    m_pAddBackgroundAction = createAction(tr("&Dodaj tło"), QString(), tr("dodanie tła"));
    m_pAddBackgroundAction->setShortcut(QKeySequence(tr("Ctrl+D")));
    connect(m_pAddBackgroundAction, &QAction::triggered, this, &MainWindow::addBackground);

    m_pDelBackgroundAction = createAction(tr("&Usuń tło"), QString(), tr("usuwanie tła"));
    m_pDelBackgroundAction->setShortcut(QKeySequence(tr("Ctrl+U")));
    connect(m_pDelBackgroundAction, &QAction::triggered, this, &MainWindow::delBackground);

    m_pAddLogoAction = createAction(tr("Dodaj logo projektanta"), QString(),
                                    tr("Dodanie loga projektanta, logo jest wyświetlane na schemacie i zamówieniu."));
    connect(m_pAddLogoAction, &QAction::triggered, this, &MainWindow::addCustomerLogo);

    m_pDelLogoAction = createAction(tr("Usuń logo projektanta"), QString(), tr("Usuwanie loga projektanta"));
    connect(m_pDelLogoAction, &QAction::triggered, this, &MainWindow::delCustomerLogo);

    m_pImportCamerasAction = createAction(tr("&Import Kamer z pliku CSV"), QStringLiteral("text-csv.png"),
                                          tr("Import Kamer z pliku CSV"));
    connect(m_pImportCamerasAction, &QAction::triggered, this, &MainWindow::importCamerasFromCsv);

    m_pExitAction = createAction(tr("Za&kończ"), QStringLiteral("application-exit.png"),
                                 tr("Wyjście z aplikacji"));
    m_pExitAction->setShortcuts(QKeySequence::Quit);
    connect(m_pExitAction, &QAction::triggered, this, &QWidget::close);

    m_pAboutAction = createAction(tr("&Informacje o aplikacji"), QStringLiteral("help-about.png"), QString());
    m_pAboutAction->setShortcut(QKeySequence(tr("F1")));
    connect(m_pAboutAction, &QAction::triggered, this, &MainWindow::about);

    m_pExportBomAction = createAction(tr("Eksport BOM do CSV"), QStringLiteral("text-csv.png"),
                                      tr("Zestawienie materiałów zamówienia do pliku CSV"));
    connect(m_pExportBomAction, &QAction::triggered, this, &MainWindow::exportBomCsv);
}

// A tool-box cell: a checkable button showing the element's own image (taken
// from a temporary item, so the tool box always matches the sheet) above its
// name.
QWidget *MainWindow::createCellWidget(const QString &text, int diagramType)
{
    const auto type = DiagramItem::DiagramType(diagramType);
    DiagramItem item(type, m_pItemMenu);
    const QIcon icon(item.image());

    auto *button = new QToolButton;
    button->setIcon(icon);
    button->setIconSize(QSize(50, 50));
    button->setCheckable(true);
    m_pItemButtonGroup->addButton(button, diagramType);

    auto *layout = new QGridLayout;
    layout->addWidget(button, 0, 0, Qt::AlignHCenter);
    layout->addWidget(new QLabel(text), 1, 0, Qt::AlignCenter);

    auto *widget = new QWidget;
    widget->setLayout(layout);
    return widget;
}

void MainWindow::createToolBox()
{
    // Not exclusive by itself: buttonGroupClicked unchecks the others, so the
    // last checked button can also be unchecked again after a placement.
    m_pItemButtonGroup = new QButtonGroup(this);
    m_pItemButtonGroup->setExclusive(false);
    connect(m_pItemButtonGroup, SIGNAL(buttonClicked(int)), this, SLOT(buttonGroupClicked(int)));

    auto *layout = new QGridLayout;
    layout->addWidget(createCellWidget(tr("Kamera"), DiagramItem::Camera), 0, 0);
    layout->addWidget(createCellWidget(tr("Punkt dystrybucyjny"), DiagramItem::PD), 1, 0);
    layout->setRowStretch(3, 10);
    layout->setColumnStretch(2, 10);

    auto *itemWidget = new QWidget;
    itemWidget->setLayout(layout);

    m_pToolBox = new QToolBox;
    m_pToolBox->setSizePolicy(QSizePolicy(QSizePolicy::Maximum, QSizePolicy::Ignored));
    m_pToolBox->setMinimumWidth(itemWidget->sizeHint().width());
    m_pToolBox->addItem(itemWidget, tr("Elementy"));
}

void MainWindow::createMenus()
{
    m_pFileMenu = menuBar()->addMenu(tr("&Plik"));
    m_pFileMenu->addAction(m_pNewProjectAction);
    m_pFileMenu->addSeparator();
    m_pFileMenu->addAction(m_pOpenAction);
    m_pFileMenu->addAction(m_pSaveAction);
    m_pFileMenu->addAction(m_pSaveAsAction);
    m_pFileMenu->addSeparator();
    m_pFileMenu->addAction(m_pPrintProjectAction);
    m_pFileMenu->addAction(m_pPrintOrderAction);
    m_pFileMenu->addSeparator();
    m_pFileMenu->addAction(m_pExitAction);

    m_pViewMenu = menuBar()->addMenu(tr("Widok"));
    m_pViewMenu->addAction(m_pHideWiresAction);
    m_pViewMenu->addAction(m_pHideDescriptionsAction);

    m_pProjectMenu = menuBar()->addMenu(tr("Projekt"));
    m_pProjectMenu->addAction(m_pAddBackgroundAction);
    m_pProjectMenu->addAction(m_pDelBackgroundAction);
    m_pProjectMenu->addSeparator();
    m_pProjectMenu->addAction(m_pAddLogoAction);
    m_pProjectMenu->addAction(m_pDelLogoAction);

    m_pItemMenu = menuBar()->addMenu(tr("&Element"));
    m_pItemMenu->addAction(m_pDeleteAction);
    m_pItemMenu->addSeparator();
    m_pItemMenu->addAction(m_pRotateLeftAction);
    m_pItemMenu->addAction(m_pRotateRightAction);

    m_pSettingsMenu = menuBar()->addMenu(tr("&Ustawienia"));
    m_pSettingsMenu->addAction(m_pImportCamerasAction);

    m_pHelpMenu = menuBar()->addMenu(tr("&Pomoc"));
    m_pHelpMenu->addAction(m_pAboutAction);

    m_pFileMenu->addSeparator();
    m_pFileMenu->addAction(m_pExportBomAction);
}

void MainWindow::createToolbars()
{
    m_pEditToolBar = addToolBar(tr("Edytuj"));
    m_pEditToolBar->addAction(m_pNewProjectAction);
    m_pEditToolBar->addAction(m_pOpenAction);
    m_pEditToolBar->addAction(m_pSaveAction);
    m_pEditToolBar->addAction(m_pSaveAsAction);
    m_pEditToolBar->addAction(m_pPrintProjectAction);
    m_pEditToolBar->addAction(m_pPrintOrderAction);
    m_pEditToolBar->addAction(m_pDeleteAction);

    auto *pointerButton = new QToolButton;
    pointerButton->setCheckable(true);
    pointerButton->setChecked(true);
    pointerButton->setIcon(QIcon(QStringLiteral(":/images/pointer.png")));
    auto *linePointerButton = new QToolButton;
    linePointerButton->setCheckable(true);
    linePointerButton->setIcon(QIcon(QStringLiteral(":/images/linepointer.png")));

    // The ids are the scene modes the buttons switch to.
    m_pPointerTypeGroup = new QButtonGroup(this);
    m_pPointerTypeGroup->addButton(pointerButton, int(DiagramScene::MoveItem));
    m_pPointerTypeGroup->addButton(linePointerButton, int(DiagramScene::InsertLine));
    connect(m_pPointerTypeGroup, SIGNAL(buttonClicked(int)), this, SLOT(pointerGroupClicked(int)));

    m_pSceneScaleCombo = new QComboBox;
    m_pSceneScaleCombo->addItems({tr("50%"), tr("75%"), tr("100%"), tr("125%"), tr("150%")});
    m_pSceneScaleCombo->setCurrentIndex(2);
    connect(m_pSceneScaleCombo, SIGNAL(currentIndexChanged(QString)), this, SLOT(sceneScaleChanged(QString)));

    m_pPointerToolBar = addToolBar(tr("Rodzaj wskaźnika"));
    m_pPointerToolBar->addWidget(pointerButton);
    m_pPointerToolBar->addWidget(linePointerButton);
    m_pPointerToolBar->addWidget(m_pSceneScaleCombo);
}

void MainWindow::createCentralArea()
{
    auto *layout = new QHBoxLayout;
    layout->addWidget(m_pToolBox);
    m_pTabWidget = new QTabWidget;
    m_pTabWidget->addTab(m_pProjectDoc, QStringLiteral("project"));
    layout->addWidget(m_pTabWidget);

    auto *widget = new QWidget;
    widget->setLayout(layout);
    setCentralWidget(widget);
}

// Until the first selection change the dock shows a stand-alone project set
// with nothing connected to it; the scene's own set takes over from then on.
void MainWindow::createPropertyDock()
{
    m_pPropertyDock = new QDockWidget(tr("Właściwości"), this);
    m_pPropertyDock->setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);
    m_pPropertyWidget = new QtnPropertyWidget(m_pPropertyDock);
    m_pPropertyWidget->setMinimumWidth(300);
    m_pStartupProjectSet = new QtnPropertySetProject(this);
    m_pPropertyWidget->setPropertySet(m_pStartupProjectSet);
    m_pPropertyDock->setWidget(m_pPropertyWidget);
    addDockWidget(Qt::RightDockWidgetArea, m_pPropertyDock);
    m_pViewMenu->addAction(m_pPropertyDock->toggleViewAction());
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (maybeSave()) {
        event->accept();
        Autosave::of(this)->discard();
    } else {
        event->ignore();
    }
}

// The project commands live in ProjectCommands; this hands them what they reach.
static ProjectCommands projectCommands(MainWindow *window, QFile **projectFile)
{
    ProjectCommands::Host host;
    host.window = window;
    host.doc = window->projectDoc();
    host.seam = window->dialogSeam();
    host.projectFile = projectFile;
    host.itemMenu = window->itemMenu();
    host.showProjectSet = [window] {
        window->propertyWidget()->setPropertySet(window->scene()->projectSet());
    };
    host.updateScene = [window] { window->updateScene(nullptr, nullptr, QtnPropertyChangeReason()); };
    host.applyProjectColours = [window] { window->applyProjectColours(); };
    host.selectionChanged = [window] { window->selectionChanged(); };
    host.projectReplaced = [window] { Autosave::of(window)->discard(); };
    return ProjectCommands(host);
}

void MainWindow::loadProject(const QString &path)
{
    const UndoHistory::Suspension pause(m_pUndoHistory);
    projectCommands(this, &m_pProjectFile).loadProject(path);
}

bool MainWindow::restoreProject(const QString &autosavePath, const QString &projectPath)
{
    const UndoHistory::Suspension pause(m_pUndoHistory);
    return projectCommands(this, &m_pProjectFile).restoreProject(autosavePath, projectPath);
}

void MainWindow::saveProjectToFile()
{
    projectCommands(this, &m_pProjectFile).saveProject();
}

bool MainWindow::maybeSave()
{
    return projectCommands(this, &m_pProjectFile).maybeSave();
}

void MainWindow::applyProjectColours()
{
    SelectionBinding::applyProjectColours(scene());
}

// Keeps at most one tool-box button checked and arms the scene to place that
// kind of element on the next click.
void MainWindow::buttonGroupClicked(int id)
{
    EditCommands(this).buttonGroupClicked(id);
}

void MainWindow::newProjectWizard()
{
    const UndoHistory::Suspension pause(m_pUndoHistory);
    NewProjectCommand::Hooks hooks;
    hooks.maybeSave = [this] { return maybeSave(); };
    hooks.execWizard = [this](QWizard &wizard) { return m_pDialogSeam->execWizard(wizard); };
    hooks.showProjectSet = [this] { m_pPropertyWidget->setPropertySet(scene()->projectSet()); };
    hooks.redrawSheet = [this] { m_pProjectDoc->createSheet(); };
    hooks.selectionChanged = [this] { selectionChanged(); };

    NewProjectCommand command(scene(), m_pItemMenu, this, hooks);
    command.setWiresHidden(m_pProjectDoc->wiresHidden());
    command.setDescriptionsHidden(m_pProjectDoc->descriptionsHidden());
    if (command.run())
        Autosave::of(this)->discard();
}

void MainWindow::openProject()
{
    const UndoHistory::Suspension pause(m_pUndoHistory);
    projectCommands(this, &m_pProjectFile).openProject();
}

bool MainWindow::saveProject()
{
    return projectCommands(this, &m_pProjectFile).saveProject();
}

bool MainWindow::saveAsProject()
{
    return projectCommands(this, &m_pProjectFile).saveAsProject();
}

// The sheet goes into a PDF named after the project in ~/mox, through the
// print preview; painting itself happens in print().
void MainWindow::printProject()
{
    scene()->clearSelection();
    const QString folder = QDir::homePath() + QDir::separator() + QStringLiteral("mox");
    QDir::home().mkdir(QStringLiteral("mox"));

    QPrinter printer(QPrinter::ScreenResolution);
    SchematicPrint::preparePrinter(printer, folder + QDir::separator() + scene()->investmentName());

    QPrintPreviewDialog preview(&printer);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, &MainWindow::print);
    m_pDialogSeam->execPrintPreview(preview);
}

void MainWindow::printOrder()
{
    OrderPrintJob::Hooks hooks;
    hooks.splitOverflow = [this](DiagramItem *item) { return addNewPdWhenOverflowSlotsCountPD(item); };
    hooks.recalculate = [this] {
        calcPD();
        calcVoltageDrop();
        calcVoltageDrop();
    };
    hooks.execMessageBox = [this](QMessageBox &box) { return m_pDialogSeam->execMessageBox(box); };
    hooks.execPrintPreview = [this](QPrintPreviewDialog &dialog) { m_pDialogSeam->execPrintPreview(dialog); };
    hooks.paint = [this](QPrinter *printer) { printOrderPdf(printer); };
    hooks.appendSections = [this](QTextDocument *document) {
        PoeCheckReport::appendTo(document, PoeCheck::run(scene()));
    };
    OrderPrintJob job(scene(), &m_orderDocument, m_pProjectDoc->logo(), hooks);
    job.run();
}

void MainWindow::hideWires(bool bEnable)
{
    EditCommands(this).hideWires(bEnable);
}

void MainWindow::hideDescriptions(bool bEnable)
{
    EditCommands(this).hideDescriptions(bEnable);
}

void MainWindow::addBackground()
{
    EditCommands(this).addBackground();
}

void MainWindow::delBackground()
{
    EditCommands(this).delBackground();
}

void MainWindow::addCustomerLogo()
{
    EditCommands(this).addCustomerLogo();
}

void MainWindow::delCustomerLogo()
{
    EditCommands(this).delCustomerLogo();
}

void MainWindow::deleteItem()
{
    EditCommands(this).deleteItem();
}

void MainWindow::importCamerasFromCsv()
{
    EditCommands(this).importCamerasFromCsv();
}

void MainWindow::pointerGroupClicked(int)
{
    EditCommands(this).pointerGroupClicked();
}

// One placement per click on the tool box: afterwards the tools return to
// moving and selecting.
void MainWindow::itemInserted(DiagramItem *item)
{
    if (m_pProjectDoc->descriptionsHidden())
        item->hideDescription();
    m_pPointerTypeGroup->button(int(DiagramScene::MoveItem))->setChecked(true);
    scene()->setMode(DiagramScene::Mode(m_pPointerTypeGroup->checkedId()));
    if (QAbstractButton *button = m_pItemButtonGroup->button(int(item->diagramType())))
        button->setChecked(false);
    item->setColor(QColor(item->diagramType() == DiagramItem::PD ? scene()->colorPD()
                                                                  : scene()->colorCameras()));
}

void MainWindow::wireInserted(Wire *wire)
{
    SelectionBinding::of(this)->wireInserted(wire);
}

void MainWindow::sceneScaleChanged(const QString &scale)
{
    EditCommands(this).sceneScaleChanged(scale);
}

void MainWindow::selectionChanged()
{
    SelectionBinding::of(this)->selectionChanged();
}

void MainWindow::about()
{
    m_pDialogSeam->about(this, tr("Informacje o aplikacji"),
                         tr("") + QStringLiteral(" Wersja aplikacji: ") + QLatin1String(kVersion));
}

void MainWindow::rotateRight()
{
    EditCommands(this).rotateRight();
}

void MainWindow::rotateLeft()
{
    EditCommands(this).rotateLeft();
}

// The whole sheet onto the whole page; the sheet and the page are both A4
// landscape, so keeping the aspect ratio loses nothing.
void MainWindow::print(QPrinter *p)
{
    SchematicPrint::render(scene(), p);
}

void MainWindow::printOrderPdf(QPrinter *p)
{
    m_orderDocument.print(p);
}

void MainWindow::updateScene(const QtnPropertyBase *changedProperty, const QtnPropertyBase *firedProperty,
                             QtnPropertyChangeReason reason)
{
    SelectionBinding::of(this)->updateScene(changedProperty, firedProperty, reason);
}

void MainWindow::calcPD()
{
    NetworkCalc::calcPD(scene());
}

void MainWindow::calcVoltageDrop()
{
    NetworkCalc::calcVoltageDrop(scene());
}

bool MainWindow::addNewPdWhenOverflowSlotsCountPD(DiagramItem *item)
{
    return m_pUndoHistory->splitOverflow(item,
                                         [this](QMessageBox &box) { return m_pDialogSeam->execMessageBox(box); });
}

void MainWindow::undo()
{
    m_pUndoHistory->undo();
}

void MainWindow::redo()
{
    m_pUndoHistory->redo();
}

void MainWindow::exportBomCsv()
{
    BomExportCommand(this, scene(), m_pDialogSeam).run();
}
