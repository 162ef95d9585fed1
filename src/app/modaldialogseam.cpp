#include "app/modaldialogseam.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QWizard>

int ModalDialogSeam::execMessageBox(QMessageBox &box)
{
    return box.exec();
}

void ModalDialogSeam::about(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox::about(parent, title, text);
}

QString ModalDialogSeam::getOpenFileName(QWidget *parent, const QString &caption, const QString &dir,
                                         const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

QString ModalDialogSeam::getSaveFileName(QWidget *parent, const QString &caption, const QString &dir,
                                         const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, caption, dir, filter);
}

void ModalDialogSeam::execPrintPreview(QPrintPreviewDialog &dialog)
{
    dialog.setWindowState(dialog.windowState() | Qt::WindowMaximized);
    dialog.exec();
}

int ModalDialogSeam::execWizard(QWizard &wizard)
{
    return wizard.exec();
}
