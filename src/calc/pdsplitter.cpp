#include "calc/pdsplitter.h"

#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "diagram/wire.h"

#include <QAbstractButton>
#include <QColor>
#include <QMessageBox>

QString PdSplitter::questionText()
{
    return QStringLiteral("W projekcie znajduje się nie określony model dla punktu dystrybucyjnego z powodu "
                          "przekroczenia dostępnej liczby slotów.\n"
                          "Czy dodać kolejne punkty dystrybucyjne, aby rozwiązać ten problem?");
}

void PdSplitter::prepareQuestion(QMessageBox &box)
{
    box.setText(questionText());
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Tak"));
    box.button(QMessageBox::No)->setText(QStringLiteral("Nie"));
}

bool PdSplitter::confirm(DiagramItem *item, const Asker &ask)
{
    if (!item || item->diagramType() != DiagramItem::PD)
        return false;
    QMessageBox box;
    prepareQuestion(box);
    return ask && ask(box) == QMessageBox::Yes;
}

bool PdSplitter::askAndSplit(DiagramItem *item, QMenu *itemMenu, const Asker &ask)
{
    if (!confirm(item, ask))
        return false;
    split(item, itemMenu);
    return true;
}

QList<DiagramItem *> PdSplitter::split(DiagramItem *item, QMenu *itemMenu)
{
    QList<DiagramItem *> group;
    if (!item)
        return group;
    auto *scene = dynamic_cast<DiagramScene *>(item->scene());
    const QColor pointColor = scene ? QColor(scene->colorPD()) : QColor(Qt::black);
    const QColor wireColor = scene ? QColor(scene->colorWires()) : QColor(Qt::black);

    const QList<Wire *> taken = item->takeWires();
    group.append(item);
    DiagramItem *current = item;
    int count = 0;
    for (Wire *wire : taken) {
        if (count == WiresPerPoint) {
            auto *next = new DiagramItem(DiagramItem::PD, itemMenu);
            next->setPos(item->pos() + QPointF(Spacing * group.size(), 0));
            next->setColor(pointColor);
            auto *link = new Wire(current, next);
            link->setColor(wireColor);
            // Cables lie below every device, as drawn by hand.
            link->setZValue(-1000.0);
            current->addWire(link);
            next->addWire(link);
            if (scene) {
                scene->addItem(next);
                scene->addItem(link);
            }
            link->updatePosition();
            group.append(next);
            current = next;
            count = 0;
        }
        if (wire->startItem() == item)
            wire->setStartItem(current);
        if (wire->endItem() == item)
            wire->setEndItem(current);
        current->addWire(wire);
        ++count;
    }
    return group;
}
