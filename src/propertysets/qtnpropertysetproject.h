#ifndef QTNPROPERTYSETPROJECT_H
#define QTNPROPERTYSETPROJECT_H

#include "property/core/qtnpropertyqcolor.h"
#include "property/core/qtnpropertyqstring.h"
#include "property/core/qtnpropertyset.h"

// Data of the project ("Project"): the title block texts and the drawing
// colours of cables, cameras and distribution points.
class QtnPropertySetProject : public QtnPropertySet
{
    Q_OBJECT

public:
    explicit QtnPropertySetProject(QObject* parent = nullptr);
    ~QtnPropertySetProject() override;

    // Every value, whatever the states.
    QtnPropertySetProject& operator=(const QtnPropertySetProject& other);
    void copyValuesFrom(const QtnPropertySetProject& source, QtnPropertyState ignoreMask);

    QtnPropertyQString& Name;
    QtnPropertyQString& Address;
    QtnPropertyQString& Comments;
    QtnPropertyQString& CreateDate;
    QtnPropertyQColor& ColorWires;
    QtnPropertyQColor& ColorCameras;
    QtnPropertyQColor& ColorPD;

protected:
    QtnPropertySet* createNewImpl(QObject* parentForNew) const override;
    QtnPropertySet* createCopyImpl(QObject* parentForCopy) const override;
    bool copyValuesImpl(QtnPropertySet* propertySetCopyFrom, QtnPropertyState ignoreMask) override;

private:
    void init();
    void connectDelegates();
};

#endif // QTNPROPERTYSETPROJECT_H
