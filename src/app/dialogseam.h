#ifndef DIALOGSEAM_H
#define DIALOGSEAM_H

#include <QString>

class QMessageBox;
class QPrintPreviewDialog;
class QWidget;
class QWizard;

// Every modal interaction of the editor passes through this one interface:
// message boxes, file dialogs, print previews and the wizard. The editor
// builds each dialog exactly as the user will see it and hands it here to be
// run; the production implementation runs it for real, while tests install a
// scripted one that answers and records what was asked, so no path of the
// program ever waits on a human.
class DialogSeam
{
public:
    virtual ~DialogSeam();

    // Runs a fully built message box modally and returns the standard button
    // that closed it (QMessageBox::StandardButton).
    virtual int execMessageBox(QMessageBox &box) = 0;

    // The standard about box (QMessageBox::about).
    virtual void about(QWidget *parent, const QString &title, const QString &text) = 0;

    // Open- and save-file dialogs; an empty string means the user cancelled.
    virtual QString getOpenFileName(QWidget *parent, const QString &caption, const QString &dir,
                                    const QString &filter) = 0;
    virtual QString getSaveFileName(QWidget *parent, const QString &caption, const QString &dir,
                                    const QString &filter) = 0;

    // Shows the print preview modally. Painting, for the preview and for the
    // printout, happens through the dialog's paintRequested signal.
    virtual void execPrintPreview(QPrintPreviewDialog &dialog) = 0;

    // Runs the new-project wizard modally; returns QDialog::Accepted or Rejected.
    virtual int execWizard(QWizard &wizard) = 0;

    // True while a dialog run through this seam waits for its answer. The
    // command that asked is then stopped half-way, and the project may be
    // between two consistent states.
    bool isDialogOpen() const { return m_openDialogs > 0; }

protected:
    // Held by an implementation for as long as it runs one dialog.
    class DialogScope
    {
    public:
        explicit DialogScope(DialogSeam *seam) : m_seam(seam) { ++m_seam->m_openDialogs; }
        ~DialogScope() { --m_seam->m_openDialogs; }
        DialogScope(const DialogScope &) = delete;
        DialogScope &operator=(const DialogScope &) = delete;

    private:
        DialogSeam *m_seam;
    };

private:
    int m_openDialogs = 0;
};

#endif // DIALOGSEAM_H
