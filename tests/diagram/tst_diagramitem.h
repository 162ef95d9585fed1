#ifndef TESTS_DIAGRAM_TST_DIAGRAMITEM_H
#define TESTS_DIAGRAM_TST_DIAGRAMITEM_H

#include <QObject>

class TestDiagramItem : public QObject
{
    Q_OBJECT

private slots:
    void newItem_data();
    void newItem();
    void numberLabel_data();
    void numberLabel();
    void computeRect_data();
    void computeRect();
    void sideLabelsWidenRect();
    void iconRecolouring();
    void paintedIconColour_data();
    void paintedIconColour();
    void rotationSteps();
    void yesNoEncoding_data();
    void yesNoEncoding();
    void voutTruncation_data();
    void voutTruncation();
    void otherKindAccessors();
    void setModelByDisplayText();
    void wireListOperations();
    void removeWiresDeletesFromBothEnds();
    void usedSlotsCountsPcAndNvr();
};

#endif // TESTS_DIAGRAM_TST_DIAGRAMITEM_H
