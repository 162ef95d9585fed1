#ifndef UNDO_PROPERTYEDITCOMMAND_H
#define UNDO_PROPERTYEDITCOMMAND_H

#include "undo/sheetcommand.h"

class QtnPropertyBase;

// One value committed in the property dock, of any property of any set:
// the camera, the distribution point, the cable or the project. The values
// are those of the whole sheet (SheetValues), so whatever the commit set off
// goes with it: the rules of a distribution point that switch and zero the
// battery properties, the catalogue's power and bitrate of a chosen camera
// model, the calculation, and a repeater point put into a cable made 100 m
// or longer (a CableSplitCommand part). Properties added to the sets later
// need nothing here.
class PropertyEditCommand : public SheetCommand
{
public:
    PropertyEditCommand(UndoHistory *history, const QtnPropertyBase *property);
};

#endif // UNDO_PROPERTYEDITCOMMAND_H
