#include "undo/propertyeditcommand.h"

#include "property/core/qtnpropertybase.h"
#include "undo/undohistory.h"

PropertyEditCommand::PropertyEditCommand(UndoHistory *history, const QtnPropertyBase *property)
    : SheetCommand(history, UndoHistory::tr("zmiana właściwości „%1”").arg(property->displayName()))
{
}
