// The schema commands; see SdfSchemaCommands.h.
#include "SdfSchemaCommands.h"

#include "SdfMetadataTables.h"
#include "SdfSchemaMerge.h"
#include "SdfTableDdl.h"

#include <algorithm>

namespace sdf {

namespace {

// The stored schema if name is empty or names it; otherwise throws.
FdoFeatureSchema* SchemaNamed(SdfConnection* connection, FdoString* name) {
    FdoPtr<FdoFeatureSchema> schema = connection->GetSchema();
    if (name && *name && (!schema || FdoStringP(schema->GetName()) != name))
        throw FdoCommandException::Create(FdoStringP::Format(L"Invalid Schema name '%ls': the SDF file '%ls' "
                                                             L"has no such schema.",
                                                             name, connection->Store().GetFileName()));
    return FDO_SAFE_ADDREF(schema.p);
}

}  // namespace

FdoFeatureSchemaCollection* SdfDescribeSchema::Execute() {
    FdoPtr<FdoFeatureSchema> schema = SchemaNamed(m_connection, m_schemaName);
    FdoPtr<FdoFeatureSchemaCollection> all = FdoFeatureSchemaCollection::Create(nullptr);
    if (schema) all->Add(schema);
    FdoPtr<FdoFeatureSchemaCollection> copy = FdoCommonSchemaUtil::DeepCopyFdoFeatureSchemas(all);
    if (!m_classNames || !schema) return FDO_SAFE_ADDREF(copy.p);

    // Keep the classes asked for, and the base classes they need.
    FdoPtr<FdoFeatureSchema> described = copy->GetItem(0);
    FdoPtr<FdoClassCollection> classes = described->GetClasses();
    std::vector<FdoClassDefinition*> keep;
    for (FdoInt32 i = 0; i < m_classNames->GetCount(); i++) {
        FdoPtr<FdoIdentifier> id = FdoIdentifier::Create(m_classNames->GetString(i));
        FdoPtr<FdoClassDefinition> cls = classes->FindItem(id->GetName());
        if (!cls)
            throw FdoCommandException::Create(FdoStringP::Format(
                L"The SDF file '%ls' has no class '%ls'.", m_connection->Store().GetFileName(), id->GetText()));
        for (FdoPtr<FdoClassDefinition> c = cls; c; c = c->GetBaseClass()) keep.push_back(c.p);
    }
    for (FdoInt32 i = classes->GetCount() - 1; i >= 0; i--) {
        FdoPtr<FdoClassDefinition> cls = classes->GetItem(i);
        if (std::find(keep.begin(), keep.end(), cls.p) == keep.end()) classes->RemoveAt(i);
    }
    described->AcceptChanges();
    return FDO_SAFE_ADDREF(copy.p);
}

FdoStringCollection* SdfGetSchemaNames::Execute() {
    FdoStringCollection* names = FdoStringCollection::Create();
    FdoPtr<FdoFeatureSchema> schema = m_connection->GetSchema();
    if (schema) names->Add(FdoStringP(schema->GetName()));
    return names;
}

FdoStringCollection* SdfGetClassNames::Execute() {
    FdoPtr<FdoFeatureSchema> schema = SchemaNamed(m_connection, m_schemaName);
    FdoPtr<FdoStringCollection> names = FdoStringCollection::Create();
    if (schema) {
        FdoPtr<FdoClassCollection> classes = schema->GetClasses();
        for (FdoInt32 i = 0; i < classes->GetCount(); i++) {
            FdoPtr<FdoClassDefinition> cls = classes->GetItem(i);
            names->Add(cls->GetQualifiedName());
        }
    }
    return FDO_SAFE_ADDREF(names.p);
}

void SdfApplySchema::Execute() {
    SdfStore& store = m_connection->Store();
    store.CheckWritable();
    FdoStringP file = store.GetFileName();
    if (!m_schema) throw FdoCommandException::Create(L"ApplySchema was given no feature schema.");
    FdoPtr<FdoFeatureSchema> stored = m_connection->GetSchema();
    SdfSchemaPlan plan =
        SdfSchemaMerge::Plan(stored, m_schema, m_ignoreStates, m_connection->SpatialContextNames());

    // Dropping a table destroys GDAL's layer object, which the DataSource
    // may still list among the layers it wrote; a fresh store lists none.
    if (!plan.dropTables.empty()) m_connection->Reopen();
    SdfStore& target = m_connection->Store();
    try {
        target.BeginTransaction();
        for (auto& table : plan.dropTables) SdfTableDdl::DropTable(target, table);
        for (auto& [table, column] : plan.dropColumns) SdfTableDdl::DropColumn(target, table, column);
        for (auto& layout : plan.createTables) SdfTableDdl::CreateTable(target, layout, m_connection->SpatialContexts());
        for (auto& column : plan.addColumns) SdfTableDdl::AddColumn(target, column.table, column.property);
        SdfSchemaTable::Save(target, plan.schema);
        target.CommitTransaction();
    } catch (FdoException* e) {
        target.RollbackTransaction();
        try {
            m_connection->Reopen();
        } catch (FdoException* again) {
            again->Release();
        }
        FdoException* wrapped = FdoSchemaException::Create(
            FdoStringP::Format(L"Applying schema '%ls' to the SDF file '%ls' failed.", m_schema->GetName(),
                               (FdoString*)file),
            e);
        e->Release();
        throw wrapped;
    }
    m_connection->SetSchema(plan.schema);
    m_schema->AcceptChanges();
}

}  // namespace sdf
