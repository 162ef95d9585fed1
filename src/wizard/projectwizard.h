#ifndef PROJECTWIZARD_H
#define PROJECTWIZARD_H

#include <QWizard>

// The three-page wizard of a new project: investment data, the number of
// distribution points, and the number of cameras of each point. The pages
// publish their answers as wizard fields read after acceptance.
class ProjectWizard : public QWizard
{
    Q_OBJECT
public:
    explicit ProjectWizard(QWidget *parent = nullptr);
};

#endif // PROJECTWIZARD_H
