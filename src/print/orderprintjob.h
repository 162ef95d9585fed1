#ifndef ORDERPRINTJOB_H
#define ORDERPRINTJOB_H

#include <QCoreApplication>
#include <QPixmap>
#include <QString>
#include <functional>

class DiagramItem;
class DiagramScene;
class QMessageBox;
class QPrintPreviewDialog;
class QPrinter;
class QTextDocument;
class QTextEdit;

// One run of "print the order": the slot-overflow split, the question that
// follows it, the document built into the hidden editor, the PDF printer and
// the print preview. The window supplies the modal runs and the split as
// callbacks, which keeps this layer free of the application shell.
class OrderPrintJob
{
    Q_DECLARE_TR_FUNCTIONS(OrderPrintJob)

public:
    struct Hooks
    {
        // Offers the split of an overflowing point; true when it added points.
        std::function<bool(DiagramItem *)> splitOverflow;
        // Reruns the calculation, so the flags seen by the next pass are those
        // of the split network.
        std::function<void()> recalculate;
        // Runs a built message box; returns the standard button chosen.
        std::function<int(QMessageBox &)> execMessageBox;
        // Runs the built print preview.
        std::function<void(QPrintPreviewDialog &)> execPrintPreview;
        // Paints the order document on a printer (the preview's paint request).
        std::function<void(QPrinter *)> paint;
        // Adds sections after the order's own document once it is built.
        std::function<void(QTextDocument *)> appendSections;
    };

    OrderPrintJob(DiagramScene *scene, QTextEdit *editor, const QPixmap &logo, const Hooks &hooks);

    // The whole command; false when the user stopped it after the split.
    bool run();

    // Repeats passes over the scene until a pass splits nothing; true when
    // any pass split something. Points with a catalogue model or without
    // the overflow flag are left alone.
    static bool splitOverflowingPoints(DiagramScene *scene,
                                       const std::function<bool(DiagramItem *)> &split,
                                       const std::function<void()> &recalculate = {});

    // Fills the question asked after a split ("Tak" / "Nie", "Tak" default).
    static void prepareContinueQuestion(QMessageBox &box);

    // Builds the order of the scene into the editor, logo registered as
    // "customerlogo"; returns the HTML that was set.
    static QString fillEditor(DiagramScene *scene, QTextEdit *editor, const QPixmap &logo);

    // A4 portrait PDF in screen resolution, written to ~/mox/<Name>_order.
    static QString outputFileName(const QString &projectName);
    static void preparePrinter(QPrinter &printer, const QString &projectName);
    // The same page set-up writing to any file; no folder is made.
    static void preparePdfPrinter(QPrinter &printer, const QString &fileName);

private:
    DiagramScene *m_scene;
    QTextEdit *m_editor;
    QPixmap m_logo;
    Hooks m_hooks;
};

#endif // ORDERPRINTJOB_H
