// The data pump of a copy task: for each class definition, find the source
// and destination classes, pair the mapped properties and insert every
// selected source feature through the engine's insert loop (FeaturePump),
// reporting progress to the installed hook and the run's monitor.
//
// Destination classes are looked up loosely when the run allows it (magic
// class name): by the name without its schema part, by the maker's
// owner~table~geometry names, or as the only class of a one-class
// destination, because schema preparation often names the destination class
// differently from what the task says. Mappings that find no property are
// skipped without a word, as the task manager lets users keep stale ones; a
// class definition without any mapping copies every property by name.
#include <GeoxferApi/FDO_Api.h>
#include <GeoxferApi/GXF_CopyTask_API.h>

#include "copytask/CopyProgress.h"
#include "transfer/FeaturePump.h"
#include "transfer/SchemaLookup.h"

#include <Fdo.h>

namespace {

FdoException* CopyError(const wchar_t* format, FdoString* name) {
    return FdoException::Create(FdoStringP::Format(format, name ? name : L""));
}

FdoClassDefinition* FindSourceClass(FdoFeatureSchemaCollection* schemas, c_GXFClassCopyDef* classDef) {
    FdoClassDefinition* found = gxf::FindSingleClass(schemas, classDef->GetSourceClassName());
    if (!found)
        throw FdoException::Create(
            L"c_FDO_Api::CopyFdoClass: Unable to get class definition source with given class name!");
    return found;
}

// The destination's only class when it has one schema holding one class.
FdoClassDefinition* OnlyClassOf(FdoFeatureSchemaCollection* schemas) {
    if (schemas->GetCount() != 1) return nullptr;
    FdoPtr<FdoFeatureSchema> schema = schemas->GetItem(0);
    FdoPtr<FdoClassCollection> classes = schema->GetClasses();
    return classes->GetCount() == 1 ? classes->GetItem(0) : nullptr;
}

// The first class named after the table, or table~geometry (databases
// whose class names carry no owner); compared without case.
FdoClassDefinition* ClassOfTable(FdoFeatureSchemaCollection* schemas, const FdoStringP& table) {
    for (FdoInt32 i = 0; i < schemas->GetCount(); i++) {
        FdoPtr<FdoFeatureSchema> schema = schemas->GetItem(i);
        FdoPtr<FdoClassCollection> classes = schema->GetClasses();
        for (FdoInt32 k = 0; k < classes->GetCount(); k++) {
            FdoPtr<FdoClassDefinition> cls = classes->GetItem(k);
            FdoStringP name = cls->GetName();
            if (name.ICompare(table) == 0 || name.Left(L"~").ICompare(table) == 0) return cls.Detach();
        }
    }
    return nullptr;
}

FdoClassDefinition* FindDestinationClass(FdoIConnection* destination, FdoFeatureSchemaCollection* schemas,
                                         FdoString* destName, FdoString* sourceGeometryName, bool magicClassName) {
    FdoPtr<FdoIDisposableCollection> found = gxf::FindClasses(schemas, destName);
    if (found->GetCount() > 1)
        throw CopyError(L"c_FDO_Api::CopyFdoClass: Multiple Classes in Destination matches Class '%ls' !",
                        destName);
    if (found->GetCount() == 1) return static_cast<FdoClassDefinition*>(found->GetItem(0));
    if (magicClassName) {
        FdoPtr<FdoIdentifier> identifier = FdoIdentifier::Create(destName ? destName : L"");
        FdoStringP namePart = identifier->GetName();
        FdoPtr<FdoClassDefinition> loose = gxf::FindSingleClass(schemas, namePart);
        if (!loose && (c_FDO_Api::IsNorvOracleProvider(destination) || c_FDO_Api::IsNorvMssProvider(destination) ||
                       c_FDO_Api::IsNorvInformixProvider(destination))) {
            loose = c_FDO_Api::FindNorvClass(schemas, namePart, sourceGeometryName);
            // A name of another database's owner~table~geometry form (a
            // copy between two of them) is looked up by its table part:
            // the destination's owner is its own.
            if (!loose && namePart.Contains(L"~")) {
                FdoStringP table;
                c_FDO_Api::GetTableNameFromNorvOracleClass(namePart, table);
                loose = c_FDO_Api::FindNorvClass(schemas, table, sourceGeometryName);
                if (!loose) loose = ClassOfTable(schemas, table);
            }
        }
        if (!loose) loose = OnlyClassOf(schemas);
        if (loose) return loose.Detach();
    }
    throw CopyError(L"c_FDO_Api::CopyFdoClass: Unable to find Class '%ls' in destination!", destName);
}

// Exact name first, then without regard to case; new reference or null.
FdoPropertyDefinition* FindProperty(FdoPropertyDefinitionCollection* properties, FdoString* name) {
    FdoPropertyDefinition* found = properties->FindItem(name ? name : L"");
    return found ? found : c_FDO_Api::FindPropertyCaseInsensitive(properties, name);
}

bool IsReadOnlyData(FdoPropertyDefinition* property) {
    return property->GetPropertyType() == FdoPropertyType_DataProperty &&
           static_cast<FdoDataPropertyDefinition*>(property)->GetReadOnly();
}

bool IsValueKind(FdoPropertyType kind) {
    return kind == FdoPropertyType_DataProperty || kind == FdoPropertyType_GeometricProperty;
}

// The (source, destination) property names of the class's mappings, in
// order. A class definition without mappings copies every source property
// into its namesake, as a default task would: copying features without any
// of their values is never what was meant.
std::vector<std::pair<FdoStringP, FdoStringP>> MappedNames(c_GXFClassCopyDef* classDef,
                                                           FdoPropertyDefinitionCollection* sourceProps) {
    std::vector<std::pair<FdoStringP, FdoStringP>> names;
    FdoPtr<c_GXFPropertyCopyDefCollection> mappings = classDef->GetPropertyCopyDefCollection();
    for (FdoInt32 i = 0; i < mappings->GetCount(); i++) {
        FdoPtr<c_GXFPropertyCopyDef> mapping = mappings->GetItem(i);
        names.emplace_back(mapping->GetSourceProperty(), mapping->GetDestProperty());
    }
    if (mappings->GetCount() == 0) {
        for (FdoInt32 i = 0; i < sourceProps->GetCount(); i++) {
            FdoPtr<FdoPropertyDefinition> property = sourceProps->GetItem(i);
            names.emplace_back(property->GetName(), property->GetName());
        }
    }
    return names;
}

// The pairs of the class's mappings, in mapping order.
std::vector<gxf::PropertyPair> PairProperties(c_GXFClassCopyDef* classDef, FdoClassDefinition* sourceClass,
                                              FdoClassDefinition* destClass, bool destIsShp, bool magicClassName) {
    FdoPtr<FdoPropertyDefinitionCollection> sourceProps = sourceClass->GetProperties();
    FdoPtr<FdoPropertyDefinitionCollection> destProps = destClass->GetProperties();
    std::vector<gxf::PropertyPair> pairs;
    for (const auto& [sourceName, destName] : MappedNames(classDef, sourceProps)) {
        FdoPtr<FdoPropertyDefinition> source = FindProperty(sourceProps, sourceName);
        FdoPtr<FdoPropertyDefinition> dest = FindProperty(destProps, destName);
        // A shape file's geometry is always called Geometry, whatever the task says.
        if (!dest && magicClassName && destIsShp && source &&
            source->GetPropertyType() == FdoPropertyType_GeometricProperty)
            dest = c_FDO_Api::FindPropertyCaseInsensitive(destProps, L"Geometry");
        if (!source || !dest || IsReadOnlyData(dest)) continue;

        gxf::PropertyPair pair;
        pair.sourceName = source->GetName();
        pair.destName = dest->GetName();
        pair.destKind = dest->GetPropertyType();
        // Data goes into data and geometry into geometry: anything else could
        // only fail row after row, so say so before the first insert.
        if (IsValueKind(pair.destKind) && source->GetPropertyType() != pair.destKind)
            throw FdoException::Create(FdoStringP::Format(
                L"c_GXF_CopyTask_API::CopyFdoClassCollection: Unable to copy property '%ls' of class '%ls' into "
                L"property '%ls' of class '%ls': one is a data property, the other is not!",
                source->GetName(), sourceClass->GetName(), dest->GetName(), destClass->GetName()));
        if (pair.destKind == FdoPropertyType_DataProperty) {
            pair.sourceType = static_cast<FdoDataPropertyDefinition*>(source.p)->GetDataType();
            pair.destType = static_cast<FdoDataPropertyDefinition*>(dest.p)->GetDataType();
        }
        pairs.push_back(pair);
    }
    return pairs;
}

// A failure while features flow names the classes and the source feature
// the reader was at, after the provider's own text.
FdoException* WithCopyContext(FdoException* e, FdoClassDefinition* sourceClass, FdoClassDefinition* destClass,
                              const FdoStringP& feature) {
    FdoStringP where = FdoStringP::Format(L" (copying class '%ls' into class '%ls'", sourceClass->GetName(),
                                          destClass->GetName());
    if (!feature.IsEmpty()) where += FdoStringP(L", at source feature ") + feature;
    return FdoException::Create(FdoStringP(e->GetExceptionMessage()) + where + L")", e);
}

long CopyOneClass(FdoIConnection* source, FdoIConnection* destination, FdoFeatureSchemaCollection* sourceSchemas,
                  FdoFeatureSchemaCollection* destSchemas, c_GXFClassCopyDef* classDef, int batchSize,
                  bool magicClassName) {
    FdoPtr<FdoClassDefinition> sourceClass = FindSourceClass(sourceSchemas, classDef);
    FdoPtr<FdoGeometricPropertyDefinition> sourceGeometry = gxf::MainGeometryOf(sourceClass);
    FdoStringP sourceGeometryName = sourceGeometry ? sourceGeometry->GetName() : L"";
    FdoPtr<FdoClassDefinition> destClass = FindDestinationClass(destination, destSchemas, classDef->GetDestClassName(),
                                                                sourceGeometryName, magicClassName);

    FdoPtr<FdoISelect> select = static_cast<FdoISelect*>(source->CreateCommand(FdoCommandType_Select));
    select->SetFeatureClassName(classDef->GetSourceClassName());
    FdoString* filter = classDef->GetCopyFilter();
    if (filter && *filter) select->SetFilter(filter);
    FdoPtr<FdoIFeatureReader> reader = select->Execute();

    FdoPtr<FdoIInsert> insert = static_cast<FdoIInsert*>(destination->CreateCommand(FdoCommandType_Insert));
    insert->SetFeatureClassName(destClass->GetName());
    // Progress names the class as the destination calls it.
    FdoStringP progressName = destClass->GetName();
    gxf::FeaturePump pump(insert,
                          PairProperties(classDef, sourceClass, destClass, c_FDO_Api::IsShpProvider(destination),
                                         magicClassName),
                          [progressName](long inserted, bool done) {
                              return gxf::ReportCopyProgress(progressName, inserted, done);
                          });
    FdoPtr<FdoDataPropertyDefinitionCollection> identity = sourceClass->GetIdentityProperties();
    if (identity->GetCount() == 0) identity = sourceClass->GetBaseIdentityProperties();
    pump.NameFeaturesBy(identity);
    pump.ReadAhead(source != destination);
    long count = 0;
    try {
        count = pump.Run(reader, batchSize);
    } catch (FdoException* e) {
        FdoException* described = WithCopyContext(e, sourceClass, destClass, pump.CurrentFeature());
        e->Release();
        throw described;
    }
    reader->Close();
    return count;
}

}  // namespace

long c_GXF_CopyTask_API::CopyFdoClassCollection(FdoIConnection* source, FdoIConnection* destination,
                                                c_GXFClassCopyDefCollection* classDefs, int batchSize,
                                                bool magicClassName, bool /*magicDataTypes*/) {
    if (!source || !destination)
        throw FdoException::Create(L"c_GXF_CopyTask_API::CopyFdoClassCollection: no source or destination connection!");
    FdoPtr<FdoFeatureSchemaCollection> sourceSchemas = gxf::DescribeAllSchemas(source);
    FdoPtr<FdoFeatureSchemaCollection> destSchemas = gxf::DescribeAllSchemas(destination);
    long total = 0;
    for (FdoInt32 i = 0; classDefs && i < classDefs->GetCount(); i++) {
        FdoPtr<c_GXFClassCopyDef> classDef = classDefs->GetItem(i);
        total += CopyOneClass(source, destination, sourceSchemas, destSchemas, classDef, batchSize, magicClassName);
        // A monitored run that was asked to stop copies no further class.
        if (gxf::CopyStopRequested()) break;
    }
    return total;
}
