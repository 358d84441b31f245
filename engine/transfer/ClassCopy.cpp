// Class copy between two open connections: the copy loop behind the
// fixed-format copies, and an exported operation in its own right.
//
// The destination class decides what is written: its properties are paired
// by name with the source's (ignoring case when one side is the maker's
// Oracle provider, which reports names in upper case), once per class before
// the first feature. The features then stream from one source reader into
// one insert command through the engine's insert loop (FeaturePump, shared
// with the copy task), row by row or in batches of bound parameter rows,
// with each data value converted to the destination's type on the way.
// Nothing is buffered beyond one batch, and no transaction is used: what was
// inserted before a failure stays.
//
// A source feature without geometry is copied with a null geometry rather
// than ending the copy: shape files and most stores hold such features.
// The main geometry of the destination class takes the source's main
// geometry even when their names differ, so that no geometry is dropped.
#include <GeoxferApi/FDO_Api.h>

#include "transfer/FeaturePump.h"
#include "transfer/SchemaLookup.h"

#include <Fdo.h>

#include <vector>

namespace {

[[noreturn]] void Fail(FdoString* message) { throw FdoException::Create(message); }

// The destination class for a copy, looked up as the class copy does.
FdoClassDefinition* FindDestinationClass(FdoIConnection* destination, FdoString* className,
                                         FdoString* sourceGeometryName) {
    FdoPtr<FdoFeatureSchemaCollection> schemas = gxf::DescribeAllSchemas(destination);
    FdoPtr<FdoIDisposableCollection> found = gxf::FindClasses(schemas, className);
    if (found->GetCount() > 1)
        Fail(L"c_FDO_Api::CopyFdoClass: Destination returns multiple classes with same name! Can't find exact "
             L"classes to copy to!");
    FdoPtr<FdoClassDefinition> result;
    if (found->GetCount() == 1) result = static_cast<FdoClassDefinition*>(found->GetItem(0));
    else if (c_FDO_Api::IsNorvOracleProvider(destination) || c_FDO_Api::IsNorvMssProvider(destination))
        result = c_FDO_Api::FindNorvClass(schemas, className, sourceGeometryName);
    if (!result) Fail(L"c_FDO_Api::CopyFdoClass: Unable to get class definition in destination!");
    return result.Detach();
}

// Pairs the destination's properties with the source's, in the
// destination's order.
std::vector<gxf::PropertyPair> PairProperties(FdoClassDefinition* sourceClass, FdoClassDefinition* destinationClass,
                                              bool ignoreCase) {
    std::vector<gxf::PropertyPair> pairs;
    FdoPtr<FdoPropertyDefinitionCollection> sourceProps = sourceClass->GetProperties();
    FdoPtr<FdoPropertyDefinitionCollection> destinationProps = destinationClass->GetProperties();
    FdoPtr<FdoGeometricPropertyDefinition> sourceGeometry = gxf::MainGeometryOf(sourceClass);
    FdoPtr<FdoGeometricPropertyDefinition> destinationGeometry = gxf::MainGeometryOf(destinationClass);
    for (FdoInt32 i = 0; i < destinationProps->GetCount(); i++) {
        FdoPtr<FdoPropertyDefinition> to = destinationProps->GetItem(i);
        FdoPtr<FdoPropertyDefinition> from = sourceProps->FindItem(to->GetName());
        if (!from && ignoreCase) from = c_FDO_Api::FindPropertyCaseInsensitive(sourceProps, to->GetName());
        // The main geometries pair whatever their names: a destination that
        // names its geometry itself (shape files call it Geometry) would
        // otherwise receive every feature without its geometry.
        if (!from && sourceGeometry && destinationGeometry &&
            FdoStringP(to->GetName()) == destinationGeometry->GetName())
            from = FDO_SAFE_ADDREF(static_cast<FdoPropertyDefinition*>(sourceGeometry.p));
        if (!from) continue;
        const bool fromData = from->GetPropertyType() == FdoPropertyType_DataProperty;
        const bool toData = to->GetPropertyType() == FdoPropertyType_DataProperty;
        if (toData && static_cast<FdoDataPropertyDefinition*>(to.p)->GetReadOnly()) continue;
        // A data property paired with one of another kind has no value that
        // could be written; it is left to the destination like an unpaired one.
        if (fromData != toData) continue;

        gxf::PropertyPair pair;
        pair.destName = to->GetName();
        pair.destKind = to->GetPropertyType();
        pair.sourceName = from->GetName();
        if (fromData) {
            pair.sourceType = static_cast<FdoDataPropertyDefinition*>(from.p)->GetDataType();
            pair.destType = static_cast<FdoDataPropertyDefinition*>(to.p)->GetDataType();
        }
        pairs.push_back(pair);
    }
    return pairs;
}

long CopyOneClass(FdoIConnection* source, FdoIConnection* destination, FdoString* sourceClassName,
                  FdoString* destinationClassName, int batchSize, FdoString* filter) {
    FdoPtr<FdoFeatureSchemaCollection> sourceSchemas = gxf::DescribeAllSchemas(source);
    FdoPtr<FdoClassDefinition> sourceClass = gxf::FindSingleClass(sourceSchemas, sourceClassName);
    if (!sourceClass)
        Fail(L"c_FDO_Api::CopyFdoClass: Unable to get class definition source with given class name!");
    FdoPtr<FdoGeometricPropertyDefinition> sourceGeometry = gxf::MainGeometryOf(sourceClass);
    FdoStringP sourceGeometryName = sourceGeometry ? sourceGeometry->GetName() : L"";

    FdoPtr<FdoClassDefinition> destinationClass =
        FindDestinationClass(destination, destinationClassName, sourceGeometryName);

    FdoPtr<FdoISelect> select = static_cast<FdoISelect*>(source->CreateCommand(FdoCommandType_Select));
    select->SetFeatureClassName(sourceClassName);
    if (filter && *filter) select->SetFilter(filter);
    FdoPtr<FdoIFeatureReader> reader = select->Execute();

    FdoPtr<FdoIInsert> insert = static_cast<FdoIInsert*>(destination->CreateCommand(FdoCommandType_Insert));
    insert->SetFeatureClassName(destinationClass->GetName());
    const bool ignoreCase = c_FDO_Api::IsNorvOracleProvider(source) || c_FDO_Api::IsNorvOracleProvider(destination);
    gxf::FeaturePump pump(insert, PairProperties(sourceClass, destinationClass, ignoreCase));
    pump.ReadAhead(source != destination);

    long copied = 0;
    try {
        copied = pump.Run(reader, batchSize);
    } catch (FdoException*) {
        reader->Close();
        throw;
    }
    reader->Close();
    return copied;
}

void Reopen(FdoIConnection* connection) {
    connection->Close();
    connection->Open();
}

}  // namespace

long c_FDO_Api::CopyFdoClass(FdoIConnection* source, FdoIConnection* destination, FdoStringCollection* classNames,
                             long oracleSrid, int batchSize, bool skipCreateSchema, const wchar_t* filter) {
    FdoPtr<FdoStringCollection> destinationNames = FdoStringCollection::Create();
    if (!skipCreateSchema) CopyFdoClass_CreateSchema(source, destination, classNames, oracleSrid, destinationNames);
    Reopen(source);
    Reopen(destination);

    long total = 0;
    for (FdoInt32 i = 0; classNames && i < classNames->GetCount(); i++) {
        FdoString* sourceClassName = classNames->GetString(i);
        FdoString* destinationClassName =
            destinationNames->GetCount() > i ? destinationNames->GetString(i) : sourceClassName;
        total += CopyOneClass(source, destination, sourceClassName, destinationClassName, batchSize, filter);
    }
    return total;
}
