// Read performance test: how fast a data store delivers one class.
//
// The same select runs a given number of times and every selected value is
// read as a copy reads it (data values through the one conversion,
// geometries as FGF bytes), so the time is that of the read side of a copy.
// The class is described once, before the clock starts. The clock is a
// monotonic wall clock with millisecond resolution: the time a user waits,
// I/O included, not the processor time of this process alone.
#include <GeoxferApi/FDO_Api.h>

#include "transfer/SchemaLookup.h"

#include <Fdo.h>

#include <chrono>
#include <vector>

namespace {

using Properties = std::vector<FdoPtr<FdoPropertyDefinition>>;

// Identity properties first, then every geometric property in class order.
Properties IdentityAndGeometry(FdoClassDefinition* classDef) {
    Properties list;
    FdoPtr<FdoDataPropertyDefinitionCollection> identity = classDef->GetIdentityProperties();
    for (FdoInt32 i = 0; i < identity->GetCount(); i++) list.emplace_back(identity->GetItem(i));
    FdoPtr<FdoPropertyDefinitionCollection> properties = classDef->GetProperties();
    for (FdoInt32 i = 0; i < properties->GetCount(); i++) {
        FdoPtr<FdoPropertyDefinition> p = properties->GetItem(i);
        if (p->GetPropertyType() == FdoPropertyType_GeometricProperty) list.push_back(p);
    }
    return list;
}

Properties AllProperties(FdoClassDefinition* classDef) {
    Properties list;
    FdoPtr<FdoPropertyDefinitionCollection> properties = classDef->GetProperties();
    for (FdoInt32 i = 0; i < properties->GetCount(); i++) list.emplace_back(properties->GetItem(i));
    return list;
}

void ReadFeature(FdoIFeatureReader* reader, const Properties& list) {
    for (const auto& p : list) {
        FdoString* name = p->GetName();
        if (p->GetPropertyType() == FdoPropertyType_DataProperty) {
            if (reader->IsNull(name)) continue;
            const FdoDataType type = static_cast<FdoDataPropertyDefinition*>(p.p)->GetDataType();
            FdoPtr<FdoDataValue> value = c_FDO_Api::ReaderGetDataPropertyValue(reader, name, type, type);
        } else if (p->GetPropertyType() == FdoPropertyType_GeometricProperty) {
            if (reader->IsNull(name)) continue;
            FdoPtr<FdoByteArray> fgf = reader->GetGeometry(name);
        }
    }
}

long RunOnce(FdoIConnection* connection, FdoString* className, FdoString* filter, bool identityAndGeometryOnly,
             const Properties& list) {
    FdoPtr<FdoISelect> select = static_cast<FdoISelect*>(connection->CreateCommand(FdoCommandType_Select));
    select->SetFeatureClassName(className);
    if (identityAndGeometryOnly) {
        FdoPtr<FdoIdentifierCollection> names = select->GetPropertyNames();
        for (const auto& p : list) {
            FdoPtr<FdoIdentifier> id = FdoIdentifier::Create(p->GetName());
            names->Add(id);
        }
    }
    if (filter && *filter) select->SetFilter(filter);
    FdoPtr<FdoIFeatureReader> reader = select->Execute();
    long count = 0;
    while (reader->ReadNext()) {
        ReadFeature(reader, list);
        count++;
    }
    reader->Close();
    return count;
}

long long NowMilliseconds() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

}  // namespace

long c_FDO_Api::RunSelectComm(FdoIConnection* connection, const wchar_t* className, const wchar_t* filter,
                              bool identityAndGeometryOnly, long runs, double& secondsPerRun) {
    if (runs < 1 || runs > 10000) throw FdoException::Create(L"Invalid Number of Test Loops!");
    FdoPtr<FdoFeatureSchemaCollection> schemas = gxf::DescribeAllSchemas(connection);
    FdoPtr<FdoClassDefinition> classDef = gxf::FindSingleClass(schemas, className);
    if (!classDef)
        throw FdoException::Create(
            L"c_FDO_Api::RunSelectComm: Unable to get class definition source with given class name!");
    const Properties list = identityAndGeometryOnly ? IdentityAndGeometry(classDef) : AllProperties(classDef);

    const long long start = NowMilliseconds();
    long count = 0;
    for (long run = 0; run < runs; run++)
        count = RunOnce(connection, className, filter, identityAndGeometryOnly, list);
    const long long elapsed = NowMilliseconds() - start;
    secondsPerRun = static_cast<double>(elapsed) / 1000.0 / static_cast<double>(runs);
    return count;
}
