// The schema commands: DescribeSchema, GetSchemaNames, GetClassNames and
// ApplySchema. Describing hands out detached copies; applying merges into
// the stored schema (SdfSchemaMerge) and changes the tables and the schema
// table in one transaction.
#pragma once

#include "SdfCommand.h"

namespace sdf {

class SdfDescribeSchema : public SdfCommand<FdoIDescribeSchema> {
public:
    static SdfDescribeSchema* Create(SdfConnection* c) { return new SdfDescribeSchema(c); }
    FdoString* GetSchemaName() override { return m_schemaName; }
    void SetSchemaName(FdoString* value) override { m_schemaName = value; }
    FdoStringCollection* GetClassNames() override { return FDO_SAFE_ADDREF(m_classNames.p); }
    void SetClassNames(FdoStringCollection* value) override { m_classNames = FDO_SAFE_ADDREF(value); }
    FdoFeatureSchemaCollection* Execute() override;

protected:
    using SdfCommand::SdfCommand;

private:
    FdoStringP m_schemaName;
    FdoPtr<FdoStringCollection> m_classNames;
};

class SdfGetSchemaNames : public SdfCommand<FdoIGetSchemaNames> {
public:
    static SdfGetSchemaNames* Create(SdfConnection* c) { return new SdfGetSchemaNames(c); }
    FdoStringCollection* Execute() override;

protected:
    using SdfCommand::SdfCommand;
};

class SdfGetClassNames : public SdfCommand<FdoIGetClassNames> {
public:
    static SdfGetClassNames* Create(SdfConnection* c) { return new SdfGetClassNames(c); }
    FdoString* GetSchemaName() override { return m_schemaName; }
    void SetSchemaName(FdoString* value) override { m_schemaName = value; }
    FdoStringCollection* Execute() override;

protected:
    using SdfCommand::SdfCommand;

private:
    FdoStringP m_schemaName;
};

class SdfApplySchema : public SdfCommand<FdoIApplySchema> {
public:
    static SdfApplySchema* Create(SdfConnection* c) { return new SdfApplySchema(c); }
    FdoFeatureSchema* GetFeatureSchema() override { return FDO_SAFE_ADDREF(m_schema.p); }
    void SetFeatureSchema(FdoFeatureSchema* value) override { m_schema = FDO_SAFE_ADDREF(value); }
    FdoPhysicalSchemaMapping* GetPhysicalMapping() override { return nullptr; }
    void SetPhysicalMapping(FdoPhysicalSchemaMapping* /*value*/) override {}
    bool GetIgnoreStates() override { return m_ignoreStates; }
    void SetIgnoreStates(bool value) override { m_ignoreStates = value; }
    void Execute() override;

protected:
    using SdfCommand::SdfCommand;

private:
    FdoPtr<FdoFeatureSchema> m_schema;
    bool m_ignoreStates = false;
};

}  // namespace sdf
