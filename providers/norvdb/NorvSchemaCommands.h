// Schema and spatial context commands: DescribeSchema, ApplySchema,
// GetSpatialContexts and CreateSpatialContext.
//
// ApplySchema creates one table per class in the connection's target owner
// (OracleSchema, else the user's schema), named after the class (the table
// part of an OWNER~TABLE~GEOMETRY name), with the identity as primary key;
// for the geometry it writes the metadata row (SRID from the spatial
// context, dimensions from its extent) and creates a spatial index, all
// through the same dialect statements a user would send. Deleted classes
// drop their table. An existing table is an error unless states are
// ignored, when it is left as it is.
#pragma once

#include "NorvConnection.h"
#include "NorvSpatialContexts.h"

namespace norvdb {

class NorvDescribeSchema : public NorvCommand<FdoIDescribeSchema> {
public:
    static NorvDescribeSchema* Create(NorvConnection* c) { return new NorvDescribeSchema(c); }
    FdoString* GetSchemaName() override { return m_schemaName; }
    void SetSchemaName(FdoString* value) override { m_schemaName = value ? value : L""; }
    FdoStringCollection* GetClassNames() override { return FDO_SAFE_ADDREF(m_classNames.p); }
    void SetClassNames(FdoStringCollection* value) override { m_classNames = FDO_SAFE_ADDREF(value); }
    FdoFeatureSchemaCollection* Execute() override;

protected:
    using NorvCommand::NorvCommand;

private:
    FdoStringP m_schemaName;
    FdoPtr<FdoStringCollection> m_classNames;
};

class NorvApplySchema : public NorvCommand<FdoIApplySchema> {
public:
    static NorvApplySchema* Create(NorvConnection* c) { return new NorvApplySchema(c); }
    FdoFeatureSchema* GetFeatureSchema() override { return FDO_SAFE_ADDREF(m_schema.p); }
    void SetFeatureSchema(FdoFeatureSchema* value) override { m_schema = FDO_SAFE_ADDREF(value); }
    FdoPhysicalSchemaMapping* GetPhysicalMapping() override { return nullptr; }
    void SetPhysicalMapping(FdoPhysicalSchemaMapping*) override {}
    bool GetIgnoreStates() override { return m_ignoreStates; }
    void SetIgnoreStates(bool value) override { m_ignoreStates = value; }
    void Execute() override;

protected:
    using NorvCommand::NorvCommand;

private:
    void CreateClass(FdoClassDefinition* cls);
    void DropClass(FdoClassDefinition* cls);

    FdoPtr<FdoFeatureSchema> m_schema;
    bool m_ignoreStates = false;
};

class NorvGetSpatialContexts : public NorvCommand<FdoIGetSpatialContexts> {
public:
    static NorvGetSpatialContexts* Create(NorvConnection* c) { return new NorvGetSpatialContexts(c); }
    bool GetActiveOnly() override { return m_activeOnly; }
    void SetActiveOnly(bool value) override { m_activeOnly = value; }
    FdoISpatialContextReader* Execute() override;

protected:
    using NorvCommand::NorvCommand;

private:
    bool m_activeOnly = false;
};

class NorvCreateSpatialContext : public NorvCommand<FdoICreateSpatialContext> {
public:
    static NorvCreateSpatialContext* Create(NorvConnection* c) { return new NorvCreateSpatialContext(c); }
    FdoString* GetName() override { return m_sc.name; }
    void SetName(FdoString* v) override { m_sc.name = v ? v : L""; }
    FdoString* GetDescription() override { return m_sc.description; }
    void SetDescription(FdoString* v) override { m_sc.description = v ? v : L""; }
    FdoString* GetCoordinateSystem() override { return m_sc.coordinateSystem; }
    void SetCoordinateSystem(FdoString* v) override { m_sc.coordinateSystem = v ? v : L""; }
    FdoString* GetCoordinateSystemWkt() override { return m_sc.wkt; }
    void SetCoordinateSystemWkt(FdoString* v) override { m_sc.wkt = v ? v : L""; }
    FdoSpatialContextExtentType GetExtentType() override { return m_sc.extentType; }
    void SetExtentType(FdoSpatialContextExtentType v) override { m_sc.extentType = v; }
    FdoByteArray* GetExtent() override;
    void SetExtent(FdoByteArray* v) override;
    double GetXYTolerance() override { return m_sc.xyTolerance; }
    void SetXYTolerance(double v) override { m_sc.xyTolerance = v; }
    double GetZTolerance() override { return m_sc.zTolerance; }
    void SetZTolerance(double v) override { m_sc.zTolerance = v; }
    bool GetUpdateExisting() override { return m_update; }
    void SetUpdateExisting(bool v) override { m_update = v; }
    void Execute() override;

protected:
    using NorvCommand::NorvCommand;

private:
    NorvSpatialContext m_sc;
    bool m_update = false;
};

}  // namespace norvdb
