#ifndef NEWPROJECTCOMMAND_H
#define NEWPROJECTCOMMAND_H

#include <QCoreApplication>
#include <QList>
#include <functional>

class DiagramScene;
class QMenu;
class QWidget;
class QWizard;

// "Nowy projekt": the unsaved-changes prompt, the wizard, and the generated
// network replacing the drawing. The window supplies what belongs to it
// (the prompt, the modal run, the dock, the sheet, the selection handling)
// as callbacks, so the command also runs on a bare scene.
class NewProjectCommand
{
    Q_DECLARE_TR_FUNCTIONS(NewProjectCommand)

public:
    struct Hooks
    {
        // false stops the command before the wizard is shown
        std::function<bool()> maybeSave;
        // runs the wizard modally; QDialog::Accepted or Rejected
        std::function<int(QWizard &)> execWizard;
        // shows the project set in the property dock
        std::function<void()> showProjectSet;
        // redraws the sheet frame and title block and repaints
        std::function<void()> redrawSheet;
        // the selection change that recalculates and marks the project modified
        std::function<void()> selectionChanged;
    };

    NewProjectCommand(DiagramScene *scene, QMenu *itemMenu, QWidget *window, const Hooks &hooks);

    void setWiresHidden(bool hidden) { m_wiresHidden = hidden; }
    void setDescriptionsHidden(bool hidden) { m_descriptionsHidden = hidden; }

    // True when a new network was generated.
    bool run();

    // The cameras of every point as entered on the last page.
    static QList<int> camerasPerPoint(const QWizard &wizard);

private:
    DiagramScene *m_scene;
    QMenu *m_itemMenu;
    QWidget *m_window;
    Hooks m_hooks;
    bool m_wiresHidden = false;
    bool m_descriptionsHidden = false;
};

#endif // NEWPROJECTCOMMAND_H
