// The rows of the copy task tree: their kinds (1 to 29), labels and help
// texts, and how an edited value is written back into the task.
//
// The labels are the window's own, trailing blanks included, so that a tree
// path names a row exactly. Edits go straight into the task objects: text
// rows take the text as typed, the TRUE/FALSE rows read "TRUE" without
// regard to case (anything else is false, the tree keeps what was typed),
// and the two SRID rows share the task's one SRID field.
#pragma once

#include <QString>

class c_GXFCopyTaskDef;
class c_GXFClassCopyDef;
class c_GXFPropertyCopyDef;

enum e_CopyTaskItem {
    CopyTaskDefinition = 1,
    SourceConnectionGroup = 2,
    SourceProviderItem = 3,
    SourceConnStringItem = 4,
    DestConnectionGroup = 5,
    DestProviderItem = 6,
    DestConnStringItem = 7,
    ClassCopyCollection = 8,
    ClassCopyItem = 9,
    SourceClassNameItem = 10,
    DestClassNameItem = 11,
    CopyFilterItem = 12,
    PropertyCopyGroup = 13,
    PropertyCopyItem = 14,
    TaskAttributesGroup = 15,
    ExecuteApplySchemaItem = 16,
    ApplySchemaXmlItem = 17,
    CreateSpatialContextItem = 18,
    SpatialContextXmlItem = 19,
    DeleteDestinationDataItem = 20,
    MagicClassNameItem = 21,
    MagicDataTypesItem = 22,
    SdfAttributesGroup = 23,
    SdfCreateIfMissingItem = 24,
    SdfOverwriteItem = 25,
    OracleAttributesGroup = 26,
    OracleSridItem = 27,
    InformixAttributesGroup = 28,
    InformixSridItem = 29,
};

// The label of a row of that kind; for kind 14 (labelled with the source
// property name) and unknown kinds an empty text.
QString CopyTaskItemLabel(int kind);
QString CopyTaskItemHelp(int kind);

// True for the rows whose value the user may edit.
bool IsEditableCopyTaskItem(int kind);
// True for the TRUE/FALSE rows (16, 18, 20, 21, 22, 24, 25).
bool IsBooleanCopyTaskItem(int kind);

// "TRUE" (any letter case) is true, every other text false.
bool CopyTaskBoolean(const QString& text);
QString CopyTaskBooleanText(bool value);
// The SRID rows: an empty text is -1 (no SRID); otherwise the number its
// leading decimal digits give (an optional sign after leading blanks), 0
// when it does not start with one; numbers beyond the 32-bit range are cut
// to its ends.
int CopyTaskSrid(const QString& text);
// The SRID as shown: decimal, or empty below 0.
QString CopyTaskSridText(int srid);

// The value a row of that kind shows for the objects it belongs to (any
// of which may be null when the kind does not need it).
QString CopyTaskItemValue(int kind, c_GXFCopyTaskDef* task, c_GXFClassCopyDef* classDef,
                          c_GXFPropertyCopyDef* propertyDef);

// Writes an edited value into the object of the row; false when the kind
// is not editable (or its object is missing) and nothing changed.
bool ApplyCopyTaskEdit(int kind, const QString& text, c_GXFCopyTaskDef* task, c_GXFClassCopyDef* classDef,
                       c_GXFPropertyCopyDef* propertyDef);
