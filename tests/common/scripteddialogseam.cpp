#include "scripteddialogseam.h"

#include <QPushButton>
#include <QDialog>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QWizard>

int ScriptedDialogSeam::execMessageBox(QMessageBox &box)
{
    const DialogScope scope(this);
    Shown s;
    s.kind = QStringLiteral("message");
    s.title = box.windowTitle();
    s.text = box.text();
    s.hasParent = box.parentWidget() != nullptr;
    const QList<QAbstractButton *> buttons = box.buttons();
    for (QAbstractButton *b : buttons)
        s.buttons << b->text();
    if (QAbstractButton *def = box.defaultButton())
        s.defaultButton = box.standardButton(def);
    shown << s;
    if (!messageAnswers.isEmpty())
        return messageAnswers.dequeue();
    if (s.defaultButton)
        return s.defaultButton;
    return buttons.isEmpty() ? int(QMessageBox::Ok) : int(box.standardButton(buttons.first()));
}

void ScriptedDialogSeam::about(QWidget *parent, const QString &title, const QString &text)
{
    const DialogScope scope(this);
    Shown s;
    s.kind = QStringLiteral("about");
    s.title = title;
    s.text = text;
    s.hasParent = parent != nullptr;
    shown << s;
}

QString ScriptedDialogSeam::getOpenFileName(QWidget *parent, const QString &caption, const QString &dir,
                                            const QString &filter)
{
    const DialogScope scope(this);
    shown << Shown{QStringLiteral("open"), caption, dir, filter, {}, 0, parent != nullptr};
    return fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
}

QString ScriptedDialogSeam::getSaveFileName(QWidget *parent, const QString &caption, const QString &dir,
                                            const QString &filter)
{
    const DialogScope scope(this);
    shown << Shown{QStringLiteral("save"), caption, dir, filter, {}, 0, parent != nullptr};
    return fileAnswers.isEmpty() ? QString() : fileAnswers.dequeue();
}

void ScriptedDialogSeam::execPrintPreview(QPrintPreviewDialog &dialog)
{
    const DialogScope scope(this);
    Shown s;
    s.kind = QStringLiteral("preview");
    s.title = dialog.windowTitle();
    s.hasParent = dialog.parentWidget() != nullptr;
    shown << s;
    if (printFromPreview)
        emit dialog.paintRequested(dialog.printer());
}

int ScriptedDialogSeam::execWizard(QWizard &wizard)
{
    const DialogScope scope(this);
    Shown s;
    s.kind = QStringLiteral("wizard");
    s.title = wizard.windowTitle();
    s.hasParent = wizard.parentWidget() != nullptr;
    shown << s;
    return wizardScript ? wizardScript(wizard) : int(QDialog::Rejected);
}

QStringList ScriptedDialogSeam::kinds() const
{
    QStringList out;
    for (const Shown &s : shown)
        out << s.kind;
    return out;
}
