#ifndef TESTS_BINDING_EDITORFIXTURE_H
#define TESTS_BINDING_EDITORFIXTURE_H

// A main window per test with its scripted dialogs and a network builder on
// its sheet, mouse input on the sheet and look-ups of what the sheet holds;
// shared by the binding, editing and undo tests.

#include "networkbuilder.h"
#include "scripteddialogseam.h"
#include "testhelpers.h"

#include "app/mainwindow.h"
#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "diagram/wire.h"
#include "print/projectdoc.h"
#include "property/widget/qtnpropertywidget.h"

#include <QAction>

#include <memory>

class EditorFixture : public QObject
{
protected:
    ScriptedDialogSeam m_seam;
    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<NetworkBuilder> m_net;

    void openEditor()
    {
        m_window.reset(new MainWindow(&m_seam));
        m_window->resize(1400, 900);
        m_net.reset(new NetworkBuilder(scene(), m_window->itemMenu()));
    }
    void closeEditor()
    {
        m_net.reset();
        m_window.reset();
        m_seam.shown.clear();
        m_seam.fileAnswers.clear();
    }
    DiagramScene *scene() const { return m_window->scene(); }
    QtnPropertySet *shown() const { return m_window->propertyWidget()->propertySet(); }
    template <class Set>
    Set *shownAs() const { return qobject_cast<Set *>(shown()); }
    void click(const QPointF &pos, Qt::KeyboardModifiers mods = {}) const { tst::click(scene(), pos, mods); }
    QAction *action(const QString &text) const
    {
        for (QAction *a : m_window->findChildren<QAction *>())
            if (a->text() == text)
                return a;
        qFatal("no action %s", qPrintable(text));
    }
};

#endif // TESTS_BINDING_EDITORFIXTURE_H
