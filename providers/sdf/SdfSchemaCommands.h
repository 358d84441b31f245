// The schema commands: DescribeSchema, GetSchemaNames, GetClassNames and
// ApplySchema. Describing hands out detached copies; applying merges into
// the stored schema (SdfSchemaMerge) and changes the tables and the schema
// table in one transaction.
#pragma once

#include "SdfCommand.h"

#include <ogrcore/OgrCommandSettings.h>

namespace sdf {

class SdfDescribeSchema : public ogrcore::DescribeSchemaSettings<SdfCommand<FdoIDescribeSchema>> {
public:
    static SdfDescribeSchema* Create(SdfConnection* c) { return new SdfDescribeSchema(c); }
    FdoFeatureSchemaCollection* Execute() override;

protected:
    using DescribeSchemaSettings::DescribeSchemaSettings;
};

class SdfGetSchemaNames : public SdfCommand<FdoIGetSchemaNames> {
public:
    static SdfGetSchemaNames* Create(SdfConnection* c) { return new SdfGetSchemaNames(c); }
    FdoStringCollection* Execute() override;

protected:
    using SdfCommand::SdfCommand;
};

class SdfGetClassNames : public ogrcore::GetClassNamesSettings<SdfCommand<FdoIGetClassNames>> {
public:
    static SdfGetClassNames* Create(SdfConnection* c) { return new SdfGetClassNames(c); }
    FdoStringCollection* Execute() override;

protected:
    using GetClassNamesSettings::GetClassNamesSettings;
};

class SdfApplySchema : public ogrcore::ApplySchemaSettings<SdfCommand<FdoIApplySchema>> {
public:
    static SdfApplySchema* Create(SdfConnection* c) { return new SdfApplySchema(c); }
    void SetPhysicalMapping(FdoPhysicalSchemaMapping* /*value*/) override {}
    void Execute() override;

protected:
    using ApplySchemaSettings::ApplySchemaSettings;
};

}  // namespace sdf
