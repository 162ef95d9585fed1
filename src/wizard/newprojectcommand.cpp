#include "wizard/newprojectcommand.h"

#include "diagram/diagramscene.h"
#include "wizard/networkgenerator.h"
#include "wizard/projectwizard.h"

#include <QDate>
#include <QDialog>
#include <QGraphicsView>

NewProjectCommand::NewProjectCommand(DiagramScene *scene, QMenu *itemMenu, QWidget *window,
                                     const Hooks &hooks)
    : m_scene(scene), m_itemMenu(itemMenu), m_window(window), m_hooks(hooks)
{
}

QList<int> NewProjectCommand::camerasPerPoint(const QWizard &wizard)
{
    QList<int> cameras;
    const int count = wizard.field(QStringLiteral("pzcount")).toString().toInt();
    for (int k = 1; k <= count; ++k)
        cameras.append(wizard.field(QStringLiteral("sbVel") + QString::number(k - 1)).toInt());
    return cameras;
}

bool NewProjectCommand::run()
{
    if (m_hooks.maybeSave && !m_hooks.maybeSave())
        return false;

    ProjectWizard wizard(m_window);
    const int result = m_hooks.execWizard ? m_hooks.execWizard(wizard) : wizard.exec();
    if (result != QDialog::Accepted)
        return false;

    // The background, the logo, the hidden flags and the current file all
    // stay: only the drawing is replaced.
    m_scene->removeAllItems();

    const QString name = wizard.field(QStringLiteral("projectName")).toString();
    const QString address = wizard.field(QStringLiteral("address")).toString();
    const QString comments = wizard.field(QStringLiteral("comments")).toString();
    const QString today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
    NetworkGenerator::applyProjectData(m_scene->projectSet(), name, address, comments, today);

    if (m_hooks.showProjectSet)
        m_hooks.showProjectSet();

    NetworkGenerator generator(m_scene, m_itemMenu);
    generator.setWiresHidden(m_wiresHidden);
    generator.setDescriptionsHidden(m_descriptionsHidden);
    generator.generate(camerasPerPoint(wizard));

    if (m_hooks.redrawSheet)
        m_hooks.redrawSheet();
    m_scene->update();
    const QList<QGraphicsView *> views = m_scene->views();
    for (QGraphicsView *view : views)
        view->viewport()->update();

    if (m_hooks.selectionChanged)
        m_hooks.selectionChanged();
    return true;
}
