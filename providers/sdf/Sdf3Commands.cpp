// See Sdf3Commands.h.
#include "Sdf3Commands.h"
#include <FdoCommon/FdoCommonOrderedReader.h>

#include "Sdf3FeatureReader.h"

#include <ogrcore/OgrReaders.h>

#include <algorithm>
#include <cwctype>

namespace sdf {

namespace {

FdoString* FileName(Sdf3Session* s) { return s->File().Name().c_str(); }

// The schema if name is empty or names it; otherwise throws.
FdoFeatureSchema* SchemaNamed(Sdf3Session* session, FdoString* name) {
    FdoPtr<FdoFeatureSchema> schema = session->Schema().GetSchema();
    if (name && *name && FdoStringP(schema->GetName()) != name)
        throw FdoCommandException::Create(FdoStringP::Format(
            L"Invalid Schema name '%ls': the SDF file '%ls' has no such schema.", name, FileName(session)));
    return schema.Detach();
}

}  // namespace

void Sdf3Select::SetLockType(FdoLockType value) {
    if (value != FdoLockType_None) throw FdoCommandException::Create(L"The SDF provider does not lock features.");
}

FdoIFeatureReader* Sdf3Select::Execute() {
    FdoPtr<FdoIFeatureReader> reader =
        Sdf3FeatureReader::Create(m_session, m_className, m_properties, m_filter, m_parameters);
    if (m_ordering->GetCount() == 0) return reader.Detach();
    return FdoCommonOrderedReader::Create(reader, m_ordering, m_orderingOption);
}

FdoIDataReader* Sdf3SelectAggregates::Execute() {
    FdoPtr<FdoClassDefinition> cls = m_session->Schema().FindClass(m_className);
    FdoCommonAggregates aggregates = FdoCommonAggregates::Plan(this, cls);
    // The file keeps no counts: every aggregate reads the selected rows.
    FdoPtr<Sdf3FeatureReader> reader =
        Sdf3FeatureReader::Create(m_session, m_className, nullptr, m_filter, m_parameters);
    while (reader->ReadNext()) aggregates.AddRow(reader);
    reader->Close();
    return ogrcore::AggregateReader(aggregates);
}

FdoFeatureSchemaCollection* Sdf3DescribeSchema::Execute() {
    FdoPtr<FdoFeatureSchema> schema = SchemaNamed(m_session, m_schemaName);
    FdoPtr<FdoFeatureSchemaCollection> all = FdoFeatureSchemaCollection::Create(nullptr);
    all->Add(schema);
    FdoPtr<FdoFeatureSchemaCollection> copy = FdoCommonSchemaUtil::DeepCopyFdoFeatureSchemas(all);
    if (!m_classNames) return copy.Detach();

    // Keep the classes asked for and the base classes they need.
    FdoPtr<FdoFeatureSchema> described = copy->GetItem(0);
    FdoPtr<FdoClassCollection> classes = described->GetClasses();
    std::vector<FdoStringP> keep;
    for (FdoInt32 i = 0; i < m_classNames->GetCount(); i++) {
        FdoPtr<FdoIdentifier> id = FdoIdentifier::Create(m_classNames->GetString(i));
        FdoPtr<FdoClassDefinition> cls = m_session->Schema().FindClass(id);
        for (FdoPtr<FdoClassDefinition> c = cls; c; c = c->GetBaseClass()) keep.push_back(c->GetName());
    }
    for (FdoInt32 i = classes->GetCount() - 1; i >= 0; i--) {
        FdoPtr<FdoClassDefinition> cls = classes->GetItem(i);
        if (std::find(keep.begin(), keep.end(), FdoStringP(cls->GetName())) == keep.end()) classes->RemoveAt(i);
    }
    described->AcceptChanges();
    return copy.Detach();
}

FdoStringCollection* Sdf3GetSchemaNames::Execute() {
    FdoPtr<FdoFeatureSchema> schema = m_session->Schema().GetSchema();
    FdoStringCollection* names = FdoStringCollection::Create();
    names->Add(FdoStringP(schema->GetName()));
    return names;
}

FdoStringCollection* Sdf3GetClassNames::Execute() {
    FdoPtr<FdoFeatureSchema> schema = SchemaNamed(m_session, m_schemaName);
    FdoPtr<FdoStringCollection> names = FdoStringCollection::Create();
    FdoPtr<FdoClassCollection> classes = schema->GetClasses();
    for (FdoInt32 i = 0; i < classes->GetCount(); i++) {
        FdoPtr<FdoClassDefinition> cls = classes->GetItem(i);
        names->Add(cls->GetQualifiedName());
    }
    return names.Detach();
}

FdoISpatialContextReader* Sdf3GetSpatialContexts::Execute() {
    ogrcore::SpatialContextInfo context = m_session->Schema().SpatialContext();
    if (!m_session->Schema().HasExtent()) {
        // No stored extent: report the data's, from the spatial indexes' root nodes.
        FdoFgfBounds bounds = m_session->Schema().DataExtent();
        if (!bounds.IsEmpty()) {
            context.minX = bounds.minX;
            context.minY = bounds.minY;
            context.maxX = bounds.maxX;
            context.maxY = bounds.maxY;
        }
    }
    return ogrcore::SpatialContextReader::Create({context});
}

}  // namespace sdf
