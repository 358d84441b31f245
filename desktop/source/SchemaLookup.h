// What the FDO source toolbox panes look up in a described schema
// collection: the qualified names of its classes for their class boxes and
// the class of a qualified name; and the plain texts they show.
#pragma once

#include <QString>
#include <QStringList>

class FdoClassDefinition;
class FdoFeatureSchemaCollection;

// Every class of every schema, schemas in collection order, classes in
// schema order, as "Schema:Class".
QStringList QualifiedClassNames(FdoFeatureSchemaCollection* schemas);
// The first class of that qualified name (new reference), or null.
FdoClassDefinition* FindClassByQualifiedName(FdoFeatureSchemaCollection* schemas, const QString& name);

// "TRUE" or "FALSE".
QString TrueFalse(bool value);
// An FDO text (null gives an empty text).
QString FromFdo(const wchar_t* text);
