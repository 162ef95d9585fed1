#ifndef TESTS_DIAGRAM_TST_DIAGRAMSCENE_H
#define TESTS_DIAGRAM_TST_DIAGRAMSCENE_H

#include <QObject>

class TestDiagramScene : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void newScene();
    void insertItemClick_data();
    void insertItemClick();
    void rubberBandLine();
    void moveWithoutPressDoesNothing();
    void dragCreatesWire_data();
    void dragCreatesWire();
    void twoPointsJoinedTwice();
    void rightButtonIsSwallowed();
    void removeAllItems();
    void projectTexts();
    void projectColours();
};

#endif // TESTS_DIAGRAM_TST_DIAGRAMSCENE_H
