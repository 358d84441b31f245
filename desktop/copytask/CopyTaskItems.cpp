#include "copytask/CopyTaskItems.h"

#include <GeoxferApi/GXFCopyTaskDef.h>

#include <climits>

namespace {

struct ItemText {
    int kind;
    const char* label;
    const char* help;
};

const char* const kIgnoredWithSchemaFile = "If 'Apply Schema XML File' is set then this Attribute will be ignored";

// Kind 14 has no fixed label (it shows the source property name).
const ItemText kItems[] = {
    {1, "Copy Task Definition", "Define Copy Paramateres."},
    {2, "Source Connection", "Source Connection Parameters"},
    {3, "Source Provider", "Source provider"},
    {4, "Source Connection String", "Source FDO Connection String"},
    {5, "Dest Connection", "DestConnection Parameters"},
    {6, "Destination Provider", "Destination provider"},
    {7, "Destination Connection String", "Destination Connection String"},
    {8, "Class Copy Collection", "Class Copy Collection"},
    {9, "Class Copy", "Class Copy"},
    {10, "Source Class Name", "Source Class Name"},
    {11, "Destination Class Name", "Destination Class Name"},
    {12, "Copy Filter", "Set copy filter to be applied"},
    {13, "Property Copy Definitions", "Property Copy Definitions"},
    {14, "", "Define property pair source-destination to be copied"},
    {15, "Copy Task Attributes", "Attributes defines options how Copy Task will be executed."},
    {16, "Execute Apply Schema on Destination ",
     "If TRUE then before copy Apply Schema will be executed. Schema will be from FDO source or from XML file if "
     "defined"},
    {17, "Apply Schema XML File ",
     "FileName of XML file with Schema to be applied against FDO Destination. Apply Schema will be executed if "
     "'execute Apply Schema' is set to TRUE."},
    {18, "Execute Create Spatial Context on Destination ",
     "If TRUE then before copy Create Spatial Context will be executed. Spatial Context will be from FDO source or "
     "from XML file if defined"},
    {19, "Spatial Context XML File ",
     "FileName of XML file with Spatial Contexts to be created in FDO Destination. "},
    {20, "Delete Destination Data",
     "If TRUE then all data in Destination FDO Class will be deleted before starting Copy."},
    {21, "Magic Class Name", nullptr},
    {22, "Magic Data Types", nullptr},
    {23, "Attributes for SDF Destination",
     "Attributes which will apply only if Destination for Copy TAsk is SDF file."},
    {24, "Create SDF File if missing",
     "If TRUE and SDF destination file is missing that new empty SDF file will be created."},
    {25, "Overwrite existing SDF File", "If TRUE and SDF destination file exists it will be erased."},
    {26, "Attributes for Oracle Destination",
     "Attributes which will apply only if Destination for Copy Task is Oracle."},
    {27, "Enter Oracle SRID",
     "Enter Value that will be used when copying data to Oracle. Leave empty if no apply"},
    {28, "Attributes for Informix Destination",
     "Attributes which will apply only if Destination for Copy Task is Informix."},
    {29, "Enter Informix SRID",
     "Enter Value that will be used when copying data to Informix. Leave empty if no apply"},
};

const ItemText* Find(int kind) {
    for (const ItemText& item : kItems)
        if (item.kind == kind) return &item;
    return nullptr;
}

QString W(const wchar_t* text) { return QString::fromWCharArray(text ? text : L""); }

std::wstring Wide(const QString& text) { return text.toStdWString(); }

}  // namespace

QString CopyTaskItemLabel(int kind) {
    const ItemText* item = Find(kind);
    return item ? QString::fromUtf8(item->label) : QString();
}

QString CopyTaskItemHelp(int kind) {
    if (kind == MagicClassNameItem)
        return QStringLiteral("If TRUE then Geoxfer will try to match class name into destination no just strictly "
                              "e.g. SHP has always schema 'Default'. Norv.Oracle provider will create Class name as "
                              "OracleSchema~TableName~GeometryColumn.\n") +
               QString::fromUtf8(kIgnoredWithSchemaFile);
    if (kind == MagicDataTypesItem)
        return QStringLiteral("If TRUE then Geoxfer will try to chane Property so it will match destination "
                              "provider. It will change scale length etc.\n") +
               QString::fromUtf8(kIgnoredWithSchemaFile);
    const ItemText* item = Find(kind);
    return item ? QString::fromUtf8(item->help) : QString();
}

bool IsEditableCopyTaskItem(int kind) {
    switch (kind) {
        case SourceProviderItem: case SourceConnStringItem: case DestProviderItem: case DestConnStringItem:
        case SourceClassNameItem: case DestClassNameItem: case CopyFilterItem: case PropertyCopyItem:
        case ApplySchemaXmlItem: case SpatialContextXmlItem: case OracleSridItem: case InformixSridItem:
            return true;
        default:
            return IsBooleanCopyTaskItem(kind);
    }
}

bool IsBooleanCopyTaskItem(int kind) {
    switch (kind) {
        case ExecuteApplySchemaItem: case CreateSpatialContextItem: case DeleteDestinationDataItem:
        case MagicClassNameItem: case MagicDataTypesItem: case SdfCreateIfMissingItem: case SdfOverwriteItem:
            return true;
        default:
            return false;
    }
}

bool CopyTaskBoolean(const QString& text) { return text.compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0; }

QString CopyTaskBooleanText(bool value) { return value ? QStringLiteral("TRUE") : QStringLiteral("FALSE"); }

int CopyTaskSrid(const QString& text) {
    if (text.isEmpty()) return -1;
    int i = 0;
    while (i < text.size() && text[i].isSpace()) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+'))) {
        negative = text[i] == QLatin1Char('-');
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'); ++i) {
        value = value * 10 + (text[i].unicode() - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    if (value > INT_MAX) value = INT_MAX;
    if (value < INT_MIN) value = INT_MIN;
    return static_cast<int>(value);
}

QString CopyTaskSridText(int srid) { return srid < 0 ? QString() : QString::number(srid); }

QString CopyTaskItemValue(int kind, c_GXFCopyTaskDef* task, c_GXFClassCopyDef* classDef,
                          c_GXFPropertyCopyDef* propertyDef) {
    if ((kind >= SourceClassNameItem && kind <= CopyFilterItem) || kind == ClassCopyItem) {
        if (!classDef) return {};
        if (kind == DestClassNameItem) return W(classDef->GetDestClassName());
        if (kind == CopyFilterItem) return W(classDef->GetCopyFilter());
        return W(classDef->GetSourceClassName());
    }
    if (kind == PropertyCopyItem) return propertyDef ? W(propertyDef->GetDestProperty()) : QString();
    if (!task) return {};
    switch (kind) {
        case SourceProviderItem: return W(task->GetSourceProvider());
        case SourceConnStringItem: return W(task->GetSourceConnString());
        case DestProviderItem: return W(task->GetDestProvider());
        case DestConnStringItem: return W(task->GetDestConnString());
        case ExecuteApplySchemaItem: return CopyTaskBooleanText(task->GetExecuteApplySchema());
        case ApplySchemaXmlItem: return W(task->GetApplySchemaXML());
        case CreateSpatialContextItem: return CopyTaskBooleanText(task->GetCreateSpatialContext());
        case SpatialContextXmlItem: return W(task->GetSpatialContextXML());
        case DeleteDestinationDataItem: return CopyTaskBooleanText(task->GetDeleteDestinationData());
        case MagicClassNameItem: return CopyTaskBooleanText(task->GetMagicClassName());
        case MagicDataTypesItem: return CopyTaskBooleanText(task->GetMagicDataTypes());
        case SdfCreateIfMissingItem: return CopyTaskBooleanText(task->GetSDF_Attr_CreateIfMissing());
        case SdfOverwriteItem: return CopyTaskBooleanText(task->GetSDF_Attr_OverwriteFile());
        case OracleSridItem:
        case InformixSridItem: return CopyTaskSridText(task->GetOracle_Attr_SRID());
        default: return {};
    }
}

bool ApplyCopyTaskEdit(int kind, const QString& text, c_GXFCopyTaskDef* task, c_GXFClassCopyDef* classDef,
                       c_GXFPropertyCopyDef* propertyDef) {
    const std::wstring value = Wide(text);
    const wchar_t* v = value.c_str();
    if (kind >= SourceClassNameItem && kind <= CopyFilterItem) {
        if (!classDef) return false;
        if (kind == SourceClassNameItem) classDef->SetSourceClassName(v);
        if (kind == DestClassNameItem) classDef->SetDestClassName(v);
        if (kind == CopyFilterItem) classDef->SetCopyFilter(v);
        return true;
    }
    if (kind == PropertyCopyItem) {
        if (!propertyDef) return false;
        propertyDef->SetDestProperty(v);
        return true;
    }
    if (!task) return false;
    const bool on = CopyTaskBoolean(text);
    switch (kind) {
        case SourceProviderItem: task->SetSourceProvider(v); return true;
        case SourceConnStringItem: task->SetSourceConnString(v); return true;
        case DestProviderItem: task->SetDestProvider(v); return true;
        case DestConnStringItem: task->SetDestConnString(v); return true;
        case ExecuteApplySchemaItem: task->SetExecuteApplySchema(on); return true;
        case ApplySchemaXmlItem: task->SetApplySchemaXML(v); return true;
        case CreateSpatialContextItem: task->SetCreateSpatialContext(on); return true;
        case SpatialContextXmlItem: task->SetSpatialContextXML(v); return true;
        case DeleteDestinationDataItem: task->SetDeleteDestinationData(on); return true;
        case MagicClassNameItem: task->SetMagicClassName(on); return true;
        case MagicDataTypesItem: task->SetMagicDataTypes(on); return true;
        case SdfCreateIfMissingItem: task->SetSDF_Attr_CreateIfMissing(on); return true;
        case SdfOverwriteItem: task->SetSDF_Attr_OverwriteFile(on); return true;
        case OracleSridItem:
        case InformixSridItem: task->SetOracle_Attr_SRID(CopyTaskSrid(text)); return true;
        default: return false;
    }
}
