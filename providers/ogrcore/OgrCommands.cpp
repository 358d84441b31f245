// The common commands. Reads go through FeatureReader, writes through
// FeatureWriter; update and delete first collect the ids the filter selects
// and then change them, so no layer is changed under its own read cursor.
#include <ogrcore/OgrCommands.h>
#include <FdoCommon/FdoCommonOrderedReader.h>
#include <ogrcore/OgrError.h>
#include <ogrcore/OgrFeatureReader.h>
#include <ogrcore/OgrFeatureWriter.h>
#include <ogrcore/OgrReaders.h>

#include <algorithm>
#include <cwctype>

namespace ogrcore {

namespace {

std::vector<FdoInt64> SelectedIds(ClassMap* map, FdoFilter* filter, FdoParameterValueCollection* parameters) {
    std::vector<FdoInt64> ids;
    FdoPtr<FdoIdentifierCollection> none = FdoIdentifierCollection::Create();
    FdoPtr<FeatureReader> reader = FeatureReader::Create(map, none, filter, parameters);
    while (reader->ReadNext()) ids.push_back(reader->GetFid());
    reader->Close();
    return ids;
}

}  // namespace

FdoFeatureSchema* FindSchema(FdoFeatureSchemaCollection* schemas, FdoString* name) {
    if (name && *name) {
        FdoPtr<FdoFeatureSchema> schema = schemas->FindItem(name);
        if (!schema) throw FdoCommandException::Create(FdoStringP::Format(L"Schema '%ls' does not exist.", name));
        return schema.Detach();
    }
    if (schemas->GetCount() == 0) return nullptr;
    return schemas->GetItem(0);
}

// ------------------------------------------------------------------ Select

void Select::SetLockType(FdoLockType value) {
    if (value != FdoLockType_None) throw FdoCommandException::Create(L"Locking is not supported by this provider.");
}

FdoIFeatureReader* Select::Execute() {
    FdoPtr<ClassMap> map = Target();
    FdoPtr<FeatureReader> reader = FeatureReader::Create(map, m_properties, m_filter, m_parameters);
    if (m_ordering->GetCount() == 0) return reader.Detach();
    return FdoCommonOrderedReader::Create(reader, m_ordering, m_orderingOption);
}

// -------------------------------------------------------- SelectAggregates

FdoIDataReader* SelectAggregates::Execute() {
    FdoPtr<ClassMap> map = Target();
    FdoPtr<FdoClassDefinition> cls = map->GetClass();
    FdoCommonAggregates aggregates = FdoCommonAggregates::Plan(this, cls);
    if (aggregates.NeedsRows(m_filter != nullptr)) {
        FdoPtr<FeatureReader> reader = FeatureReader::Create(map, nullptr, m_filter, m_parameters);
        while (reader->ReadNext()) aggregates.AddRow(reader);
        reader->Close();
    } else {
        FdoPtr<DataSource> source = map->GetSource();
        LayerLease lease = source->Read(map->LayerName());
        ErrorTrap trap;
        OGR_L_SetAttributeFilter(lease.Layer(), nullptr);
        OGR_L_SetSpatialFilter(lease.Layer(), nullptr);
        GIntBig count = OGR_L_GetFeatureCount(lease.Layer(), TRUE);
        FdoFgfBounds extent;
        bool wantsExtent = false;
        for (const auto& a : aggregates.Items()) wantsExtent = wantsExtent || a.extents;
        OGREnvelope env;
        if (wantsExtent && count > 0) {
            if (OGR_L_GetExtent(lease.Layer(), &env, TRUE) != OGRERR_NONE)
                throw FdoCommandException::Create(trap.Describe(
                    FdoStringP::Format(L"The extent of class '%ls' cannot be read", map->ClassName())));
            extent.Add(env.MinX, env.MinY);
            extent.Add(env.MaxX, env.MaxY);
        }
        aggregates.SetTotals(count, extent);
    }
    return AggregateReader(aggregates);
}

// ------------------------------------------------------------------ Insert

FdoIFeatureReader* Insert::Execute() {
    m_store->CheckOpen();
    if (!m_className) throw FdoCommandException::Create(L"The command has no feature class name.");
    FdoPtr<ClassMap> map = m_store->GetClassMap(m_className);
    m_store->CheckWritable(map);
    FeatureWriter writer(map);
    writer.Bind(m_values);
    std::vector<FdoInt64> ids;
    if (m_batch->GetCount() > 0) {
        ids.reserve(static_cast<size_t>(m_batch->GetCount()));
        writer.BeginRows(static_cast<size_t>(m_batch->GetCount()));
        for (FdoInt32 i = 0; i < m_batch->GetCount(); i++) {
            FdoPtr<FdoParameterValueCollection> row = m_batch->GetItem(i);
            ids.push_back(writer.InsertBound(row));
        }
        writer.EndRows();
    } else {
        ids.push_back(writer.InsertBound(m_parameters));
    }
    FdoPtr<FdoClassDefinition> cls = map->GetClass();
    int identity = map->IdentityIndex();
    const PropertyBinding* b = identity >= 0 ? &map->Bindings()[static_cast<size_t>(identity)] : nullptr;
    return IdentityReader::Create(cls, b ? static_cast<FdoString*>(b->name) : L"", b ? b->type : FdoDataType_Int64,
                                  std::move(ids));
}

// ------------------------------------------------------------ Update, Delete

FdoInt32 Update::Execute() {
    FdoPtr<ClassMap> map = Target();
    m_store->CheckWritable(map);
    std::vector<FdoInt64> ids = SelectedIds(map, m_filter, m_parameters);
    FeatureWriter writer(map);
    for (FdoInt64 id : ids) writer.Update(id, m_values, m_parameters);
    return static_cast<FdoInt32>(ids.size());
}

FdoInt32 Delete::Execute() {
    FdoPtr<ClassMap> map = Target();
    m_store->CheckWritable(map);
    std::vector<FdoInt64> ids = SelectedIds(map, m_filter, m_parameters);
    FeatureWriter writer(map);
    for (FdoInt64 id : ids) writer.Delete(id);
    return static_cast<FdoInt32>(ids.size());
}

// ----------------------------------------------------------------- Schemas

FdoFeatureSchemaCollection* DescribeSchema::Execute() {
    m_store->CheckOpen();
    FdoPtr<FdoFeatureSchemaCollection> live = m_store->GetSchemas();
    if (!m_schemaName.IsEmpty()) FdoPtr<FdoFeatureSchema> known = FindSchema(live, m_schemaName);
    FdoPtr<FdoFeatureSchemaCollection> copy =
        FdoCommonSchemaUtil::DeepCopyFdoFeatureSchemas(live, m_schemaName.IsEmpty() ? nullptr : (FdoString*)m_schemaName);
    if (!m_classNames || m_classNames->GetCount() == 0) return copy.Detach();

    std::vector<std::wstring> wanted;
    for (FdoInt32 i = 0; i < m_classNames->GetCount(); i++) {
        FdoStringP name = m_classNames->GetString(i);
        if (name.Contains(L":")) name = name.Right(L":");
        bool found = false;
        for (FdoInt32 s = 0; s < copy->GetCount() && !found; s++) {
            FdoPtr<FdoFeatureSchema> schema = copy->GetItem(s);
            FdoPtr<FdoClassCollection> classes = schema->GetClasses();
            found = classes->Contains(name);
        }
        if (!found)
            throw FdoCommandException::Create(
                FdoStringP::Format(L"Class '%ls' does not exist.", static_cast<FdoString*>(name)));
        wanted.push_back(name.Str());
    }
    for (FdoInt32 s = 0; s < copy->GetCount(); s++) {
        FdoPtr<FdoFeatureSchema> schema = copy->GetItem(s);
        FdoPtr<FdoClassCollection> classes = schema->GetClasses();
        for (FdoInt32 c = classes->GetCount() - 1; c >= 0; c--) {
            FdoPtr<FdoClassDefinition> cls = classes->GetItem(c);
            if (std::find(wanted.begin(), wanted.end(), std::wstring(cls->GetName())) == wanted.end())
                classes->RemoveAt(c);
        }
    }
    return copy.Detach();
}

FdoStringCollection* GetSchemaNames::Execute() {
    m_store->CheckOpen();
    FdoPtr<FdoFeatureSchemaCollection> live = m_store->GetSchemas();
    FdoStringCollection* names = FdoStringCollection::Create();
    for (FdoInt32 i = 0; i < live->GetCount(); i++) {
        FdoPtr<FdoFeatureSchema> schema = live->GetItem(i);
        names->Add(FdoStringP(schema->GetName()));
    }
    return names;
}

FdoStringCollection* GetClassNames::Execute() {
    m_store->CheckOpen();
    FdoPtr<FdoFeatureSchemaCollection> live = m_store->GetSchemas();
    if (!m_schemaName.IsEmpty()) FdoPtr<FdoFeatureSchema> known = FindSchema(live, m_schemaName);
    FdoPtr<FdoStringCollection> names = FdoStringCollection::Create();
    for (FdoInt32 i = 0; i < live->GetCount(); i++) {
        FdoPtr<FdoFeatureSchema> schema = live->GetItem(i);
        if (!m_schemaName.IsEmpty() && m_schemaName != schema->GetName()) continue;
        FdoPtr<FdoClassCollection> classes = schema->GetClasses();
        for (FdoInt32 c = 0; c < classes->GetCount(); c++) {
            FdoPtr<FdoClassDefinition> cls = classes->GetItem(c);
            names->Add(FdoStringP(schema->GetName()) + L":" + cls->GetName());
        }
    }
    return names.Detach();
}

FdoISpatialContextReader* GetSpatialContexts::Execute() {
    m_store->CheckOpen();
    std::vector<SpatialContextInfo> contexts;
    m_store->GetSpatialContexts(contexts);
    return SpatialContextReader::Create(std::move(contexts));
}

}  // namespace ogrcore
