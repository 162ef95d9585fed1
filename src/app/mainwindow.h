#ifndef APP_MAINWINDOW_H
#define APP_MAINWINDOW_H

#include <QMainWindow>
#include <QSqlDatabase>
#include <QTextEdit>

#include <memory>

#include "property/core/qtnpropertystate.h"

class DiagramItem;
class DiagramScene;
class DialogSeam;
class PoeCheckDock;
class ProjectDoc;
class QAbstractButton;
class QAction;
class QButtonGroup;
class QComboBox;
class QDockWidget;
class QFile;
class QMenu;
class QPrinter;
class QTabWidget;
class QToolBar;
class QToolBox;
class QtnPropertyBase;
class QtnPropertySet;
class QtnPropertyWidget;
class UndoHistory;
class Wire;

// The editor's single window: actions, menus, tool bars, the element tool box,
// the drawing sheet in its tab and the property dock. Every modal dialog it
// shows goes through its DialogSeam: a ModalDialogSeam in production, a
// scripted one in tests (constructor argument or setDialogSeam).
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // A null seam means the real modal dialogs. The seam is not owned.
    explicit MainWindow(DialogSeam *seam = nullptr);
    ~MainWindow() override;

    DialogSeam *dialogSeam() const { return m_pDialogSeam; }
    // Installs another seam (not owned); null goes back to the real dialogs.
    void setDialogSeam(DialogSeam *seam);

    // Start-up: never smaller than 950 x 600, placed centred on the screen,
    // then maximised and shown.
    void showAtStartUp();
    // The project file named on the command line: exactly one argument after
    // the program path, otherwise none.
    static QString projectFromArguments(const QStringList &arguments);

    // Reads the project file at path into the drawing (also used at start-up
    // for a file named on the command line).
    void loadProject(const QString &path);
    // Loads an autosaved copy as the project at projectPath, still modified.
    bool restoreProject(const QString &autosavePath, const QString &projectPath);
    // Writes the project into m_pProjectFile, which is already open.
    void saveProjectToFile();
    // The unsaved-changes prompt: true = go on, false = stop.
    bool maybeSave();
    // Recolours every item and wire from the project's colours.
    void applyProjectColours();

    ProjectDoc *projectDoc() const { return m_pProjectDoc; }
    DiagramScene *scene() const;
    QtnPropertyWidget *propertyWidget() const { return m_pPropertyWidget; }
    QDockWidget *propertyDock() const { return m_pPropertyDock; }
    QTabWidget *tabWidget() const { return m_pTabWidget; }
    QToolBox *toolBox() const { return m_pToolBox; }
    QMenu *itemMenu() const { return m_pItemMenu; }
    QComboBox *sceneScaleCombo() const { return m_pSceneScaleCombo; }
    QButtonGroup *itemButtonGroup() const { return m_pItemButtonGroup; }
    QButtonGroup *pointerTypeGroup() const { return m_pPointerTypeGroup; }
    QTextEdit *orderDocument() { return &m_orderDocument; }
    QFile *projectFile() const { return m_pProjectFile; }
    bool updatePropertiesRequested() const { return m_bUpdateProperties; }
    UndoHistory *undoHistory() const { return m_pUndoHistory; }
    // The dock "Kontrola PoE" with the PoE check of the drawing.
    PoeCheckDock *poeCheckDock() const { return m_pPoeCheckDock; }

public slots:
    void buttonGroupClicked(int id);
    void newProjectWizard();
    void openProject();
    bool saveProject();
    bool saveAsProject();
    void printProject();
    void printOrder();
    void hideWires(bool bEnable);
    void hideDescriptions(bool bEnable);
    void addBackground();
    void delBackground();
    void addCustomerLogo();
    void delCustomerLogo();
    void deleteItem();
    void importCamerasFromCsv();
    void pointerGroupClicked(int);
    void itemInserted(DiagramItem *item);
    void wireInserted(Wire *wire);
    void sceneScaleChanged(const QString &scale);
    void selectionChanged();
    void about();
    void rotateRight();
    void rotateLeft();
    void print(QPrinter *p);
    void printOrderPdf(QPrinter *p);
    void updateScene(const QtnPropertyBase *changedProperty, const QtnPropertyBase *firedProperty,
                     QtnPropertyChangeReason reason);
    void calcPD();
    void calcVoltageDrop();
    bool addNewPdWhenOverflowSlotsCountPD(DiagramItem *item);
    void exportBomCsv();
    void undo();
    void redo();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // The selection binding and the editing commands work on the window's
    // request flag and members; their logic lives in their own classes.
    friend class SelectionBinding;
    friend class EditCommands;

private:
    void openCatalogue();
    void createActions();
    void createToolBox();
    void createMenus();
    void createToolbars();
    void createCentralArea();
    void createPropertyDock();
    QWidget *createCellWidget(const QString &text, int diagramType);
    QAction *createAction(const QString &text, const QString &icon, const QString &statusTip);

    bool m_bUpdateProperties = false;
    QFile *m_pProjectFile = nullptr;
    QTabWidget *m_pTabWidget = nullptr;

    QAction *m_pRotateLeftAction = nullptr;
    QAction *m_pRotateRightAction = nullptr;
    QAction *m_pNewProjectAction = nullptr;
    QAction *m_pOpenAction = nullptr;
    QAction *m_pSaveAction = nullptr;
    QAction *m_pSaveAsAction = nullptr;
    QAction *m_pPrintProjectAction = nullptr;
    QAction *m_pPrintOrderAction = nullptr;
    QAction *m_pHideWiresAction = nullptr;
    QAction *m_pHideDescriptionsAction = nullptr;
    QAction *m_pDeleteAction = nullptr;
    QAction *m_pAddBackgroundAction = nullptr;
    QAction *m_pDelBackgroundAction = nullptr;
    QAction *m_pAddLogoAction = nullptr;
    QAction *m_pDelLogoAction = nullptr;
    QAction *m_pImportCamerasAction = nullptr;
    QAction *m_pExitAction = nullptr;
    QAction *m_pAboutAction = nullptr;

    QMenu *m_pFileMenu = nullptr;
    QMenu *m_pViewMenu = nullptr;
    QMenu *m_pProjectMenu = nullptr;
    QMenu *m_pItemMenu = nullptr;
    QMenu *m_pSettingsMenu = nullptr;
    QMenu *m_pHelpMenu = nullptr;

    QToolBar *m_pEditToolBar = nullptr;
    QToolBar *m_pPointerToolBar = nullptr;
    QComboBox *m_pSceneScaleCombo = nullptr;
    QToolBox *m_pToolBox = nullptr;
    QButtonGroup *m_pItemButtonGroup = nullptr;
    QButtonGroup *m_pPointerTypeGroup = nullptr;
    // Receives the order document; never shown, only printed.
    QTextEdit m_orderDocument;
    QtnPropertyWidget *m_pPropertyWidget = nullptr;
    QSqlDatabase m_db;
    ProjectDoc *m_pProjectDoc = nullptr;

    QDockWidget *m_pPropertyDock = nullptr;
    // The set shown in the dock until the first selection change.
    QtnPropertySet *m_pStartupProjectSet = nullptr;
    std::unique_ptr<DialogSeam> m_pModalSeam;
    DialogSeam *m_pDialogSeam = nullptr;
    QAction *m_pExportBomAction = nullptr;
    UndoHistory *m_pUndoHistory = nullptr;
    PoeCheckDock *m_pPoeCheckDock = nullptr;
};

#endif // APP_MAINWINDOW_H
