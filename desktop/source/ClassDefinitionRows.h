// The rows of the class definition pane's three tables, made from a class
// or property definition apart from the widgets: each row is an
// attribute and its value (or a property and its kind).
#pragma once

#include <QList>
#include <QStringList>

class FdoClassDefinition;
class FdoPropertyDefinition;

// "Name", "Class Type", "Geometry Property" (feature classes), "Identity
// Properties", "Capabilities" with its rows, "Abstract", "Computed",
// "Unique Constraints".
QList<QStringList> ClassAttributeRows(FdoClassDefinition* classDef);
// One row per property: its name and its data type or kind.
QList<QStringList> PropertyTypeRows(FdoClassDefinition* classDef);
// The attributes of one property, as its kind has them.
QList<QStringList> PropertyAttributeRows(FdoPropertyDefinition* property);
