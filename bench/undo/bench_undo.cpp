// Costs the undo history adds to the editor on a large sheet: taking the
// values of every element before an edit (shared with the previous capture
// where nothing changed), and one property edit undone and redone with the
// calculation that follows each.
#include "temporaryhome.h"

#include "app/mainwindow.h"
#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "propertysets/qtnpropertysetcamera.h"
#include "undo/undohistory.h"
#include "wizard/networkgenerator.h"

#include <QApplication>
#include <QtTest>

#include <memory>

class BenchUndo : public QObject
{
    Q_OBJECT

    TemporaryHome m_home; // the window autosaves into ~/mox
    std::unique_ptr<MainWindow> m_window;

private slots:
    // Twenty points with fifteen cameras each: 320 items, 320 cables.
    void init()
    {
        m_window.reset(new MainWindow);
        NetworkGenerator(m_window->scene(), m_window->itemMenu()).generate(QVector<int>(20, 15).toList());
        m_window->selectionChanged();
    }

    void cleanup() { m_window.reset(); }

    void captureUnchanged()
    {
        UndoHistory *history = m_window->undoHistory();
        history->captureValues();
        QBENCHMARK {
            history->captureValues();
        }
    }

    void undoRedoPropertyEdit()
    {
        DiagramItem *camera = nullptr;
        for (QGraphicsItem *item : m_window->scene()->items())
            if (item->type() == DiagramItem::Type
                && static_cast<DiagramItem *>(item)->diagramType() == DiagramItem::Camera)
                camera = static_cast<DiagramItem *>(item);
        camera->setSelected(true);
        camera->cameraSet()->Power.setValue(20);
        UndoHistory *history = m_window->undoHistory();
        QBENCHMARK {
            history->undo();
            history->redo();
        }
    }
};

QTEST_MAIN(BenchUndo)
#include "bench_undo.moc"
