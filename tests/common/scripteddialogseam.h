#ifndef SCRIPTEDDIALOGSEAM_H
#define SCRIPTEDDIALOGSEAM_H

#include "app/dialogseam.h"

#include <QList>
#include <QMap>
#include <QQueue>
#include <QString>
#include <QStringList>
#include <functional>

// A dialog seam for tests: answers from queues the test fills and records
// every dialog the program tried to show.
class ScriptedDialogSeam : public DialogSeam
{
public:
    struct Shown {
        QString kind;          // "message", "about", "open", "save", "preview", "wizard"
        QString title;         // window title or caption
        QString text;          // message text, or the dialog's start folder
        QString filter;        // file filter
        QStringList buttons;   // message box button labels, in the box's order
        int defaultButton = 0; // QMessageBox::StandardButton of the default button
        bool hasParent = false;
    };

    // Answers for message boxes (QMessageBox::StandardButton values). An empty
    // queue answers with the box's default button.
    QQueue<int> messageAnswers;
    // Answers for open/save dialogs; an empty queue answers "" (cancel).
    QQueue<QString> fileAnswers;
    // When true, a print preview paints once on its printer, as if the user
    // printed from it; a PDF printer then writes its file.
    bool printFromPreview = true;
    // Drives the wizard; without a script the wizard is cancelled.
    std::function<int(QWizard &)> wizardScript;

    QList<Shown> shown;

    int execMessageBox(QMessageBox &box) override;
    void about(QWidget *parent, const QString &title, const QString &text) override;
    QString getOpenFileName(QWidget *parent, const QString &caption, const QString &dir,
                            const QString &filter) override;
    QString getSaveFileName(QWidget *parent, const QString &caption, const QString &dir,
                            const QString &filter) override;
    void execPrintPreview(QPrintPreviewDialog &dialog) override;
    int execWizard(QWizard &wizard) override;

    // Kinds of everything shown so far, in order (handy for QCOMPARE).
    QStringList kinds() const;
};

#endif // SCRIPTEDDIALOGSEAM_H
