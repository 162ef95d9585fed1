#ifndef MODALDIALOGSEAM_H
#define MODALDIALOGSEAM_H

#include "app/dialogseam.h"

// The dialogs as the user meets them: every call runs the real modal dialog.
class ModalDialogSeam : public DialogSeam
{
public:
    int execMessageBox(QMessageBox &box) override;
    void about(QWidget *parent, const QString &title, const QString &text) override;
    QString getOpenFileName(QWidget *parent, const QString &caption, const QString &dir,
                            const QString &filter) override;
    QString getSaveFileName(QWidget *parent, const QString &caption, const QString &dir,
                            const QString &filter) override;
    void execPrintPreview(QPrintPreviewDialog &dialog) override;
    int execWizard(QWizard &wizard) override;
};

#endif // MODALDIALOGSEAM_H
