#include "wizard/projectwizard.h"

#include "wizard/firstpage.h"
#include "wizard/secondpage.h"
#include "wizard/thirdpage.h"

ProjectWizard::ProjectWizard(QWidget *parent) : QWizard(parent)
{
    addPage(new FirstPage);
    addPage(new SecondPage);
    addPage(new ThirdPage);

    setButtonText(QWizard::FinishButton, tr("Zakończ"));
    setButtonText(QWizard::BackButton, tr("Cofnij"));
    setButtonText(QWizard::NextButton, tr("Dalej"));
    setButtonText(QWizard::CancelButton, tr("Przerwij"));

    setWindowTitle(tr("Kreator instalacji sieci monitoringu"));
}
