// The schema manager's work on an FDO feature schema collection, apart from
// any window: free names for new schemas and classes, name checks, putting
// an edited class in the place of its original, copying a class into a
// schema (made when missing), gathering selected classes into a collection
// of their own, and reading a schema file.
//
// Names compare exactly (letter case counts), as FDO's named collections do.
#pragma once

#include <QList>
#include <QString>

class FdoClassDefinition;
class FdoFeatureSchema;
class FdoFeatureSchemaCollection;

// "New Schema", else "New Schema 2", "New Schema 3", ...: the first name no
// schema of the collection bears.
QString FreeSchemaName(FdoFeatureSchemaCollection* schemas);
// "NewClass", else "NewClass 2", ...: the first name free in the schema.
QString FreeClassName(FdoFeatureSchema* schema);

// True when a class of the schema other than `except` bears the name.
bool ClassNameTaken(FdoFeatureSchema* schema, const QString& name, FdoClassDefinition* except = nullptr);
// True when a property of the class other than `except` bears the name.
bool PropertyNameTaken(FdoClassDefinition* classDef, const QString& name, class FdoPropertyDefinition* except = nullptr);

// The schema of that name in the collection (no new reference), or null.
FdoFeatureSchema* FindSchema(FdoFeatureSchemaCollection* schemas, const QString& name);

// Puts `edited` where `original` stands in the schema's classes. False
// (nothing changed) when original is not one of them.
bool ReplaceClass(FdoFeatureSchema* schema, FdoClassDefinition* original, FdoClassDefinition* edited);

enum class e_CopyClassResult { Copied, DuplicateName, Failed };
// Adds a deep copy of the class, named className, to the schema of
// schemaName, which is created first when the collection has none of that
// name (schemaCreated then true). The copy or the schema it went to come
// back through the out-parameters (no new references).
e_CopyClassResult CopyClassInto(FdoFeatureSchemaCollection* schemas, FdoClassDefinition* classDef,
                                const QString& schemaName, const QString& className, FdoFeatureSchema*& target,
                                bool& schemaCreated);

// A new collection (new reference) of the classes' schemas, each copied
// once without classes, in the order in which its first class comes, with
// a deep copy of each class in the order given.
FdoFeatureSchemaCollection* CollectClasses(const QList<FdoClassDefinition*>& classes);

// Reads an FDO schema XML file into a new collection (new reference), or
// null with the FDO message.
FdoFeatureSchemaCollection* ReadSchemaFile(const QString& path, QString& error);
