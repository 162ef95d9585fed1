#include "app/modaldialogseam.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QWizard>

int ModalDialogSeam::execMessageBox(QMessageBox &box)
{
    const DialogScope scope(this);
    return box.exec();
}

void ModalDialogSeam::about(QWidget *parent, const QString &title, const QString &text)
{
    const DialogScope scope(this);
    QMessageBox::about(parent, title, text);
}

QString ModalDialogSeam::getOpenFileName(QWidget *parent, const QString &caption, const QString &dir,
                                         const QString &filter)
{
    const DialogScope scope(this);
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

QString ModalDialogSeam::getSaveFileName(QWidget *parent, const QString &caption, const QString &dir,
                                         const QString &filter)
{
    const DialogScope scope(this);
    return QFileDialog::getSaveFileName(parent, caption, dir, filter);
}

void ModalDialogSeam::execPrintPreview(QPrintPreviewDialog &dialog)
{
    const DialogScope scope(this);
    dialog.setWindowState(dialog.windowState() | Qt::WindowMaximized);
    dialog.exec();
}

int ModalDialogSeam::execWizard(QWizard &wizard)
{
    const DialogScope scope(this);
    return wizard.exec();
}
