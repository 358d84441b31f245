// See Sdf3Commands.h.
#include "Sdf3Commands.h"

#include "Sdf3FeatureReader.h"

#include <ogrcore/OgrReaders.h>

#include <algorithm>
#include <cwctype>

namespace sdf {

namespace {

bool SameName(FdoString* a, FdoString* b) { return wcscasecmp(a ? a : L"", b ? b : L"") == 0; }

FdoString* FileName(Sdf3Session* s) { return s->File().Name().c_str(); }

// The schema if name is empty or names it; otherwise throws.
FdoFeatureSchema* SchemaNamed(Sdf3Session* session, FdoString* name) {
    FdoPtr<FdoFeatureSchema> schema = session->Schema().GetSchema();
    if (name && *name && FdoStringP(schema->GetName()) != name)
        throw FdoCommandException::Create(FdoStringP::Format(
            L"Invalid Schema name '%ls': the SDF file '%ls' has no such schema.", name, FileName(session)));
    return schema.Detach();
}

// One aggregate of the select list: Count() / Count(p) / SpatialExtents(g).
struct Aggregate {
    FdoStringP alias;
    bool extents = false;
    FdoStringP property;  // empty for Count()
    FdoInt64 count = 0;
    FdoFgfBounds bounds;
};

Aggregate ParseAggregate(FdoIdentifier* id, FdoClassDefinition* cls) {
    auto* computed = dynamic_cast<FdoComputedIdentifier*>(id);
    FdoPtr<FdoExpression> expr = computed ? computed->GetExpression() : nullptr;
    auto* function = dynamic_cast<FdoFunction*>(expr.p);
    if (!function)
        throw FdoCommandException::Create(FdoStringP::Format(
            L"'%ls' is not an aggregate; the SDF provider computes Count and SpatialExtents.", id->GetText()));
    Aggregate a;
    a.alias = id->GetName();
    a.extents = SameName(function->GetName(), L"SpatialExtents");
    if (!a.extents && !SameName(function->GetName(), L"Count"))
        throw FdoCommandException::Create(FdoStringP::Format(
            L"The SDF provider does not compute the aggregate function '%ls'.", function->GetName()));
    FdoPtr<FdoExpressionCollection> args = function->GetArguments();
    FdoPtr<FdoExpression> arg = args->GetCount() > 0 ? args->GetItem(0) : nullptr;
    auto* argId = dynamic_cast<FdoIdentifier*>(arg.p);
    if (args->GetCount() > 1 || (arg && !argId) || (a.extents && !argId))
        throw FdoCommandException::Create(
            FdoStringP::Format(L"The aggregate '%ls' needs one property name.", id->GetText()));
    if (!argId) return a;
    a.property = argId->GetName();
    FdoPtr<FdoPropertyDefinitionCollection> own = cls->GetProperties();
    FdoPtr<FdoReadOnlyPropertyDefinitionCollection> inherited = cls->GetBaseProperties();
    FdoPtr<FdoPropertyDefinition> p = own->FindItem(a.property);
    if (!p) p = inherited->FindItem(a.property);
    if (!p)
        throw FdoCommandException::Create(FdoStringP::Format(L"Class '%ls' has no property '%ls'.", cls->GetName(),
                                                             (FdoString*)a.property));
    if (a.extents && p->GetPropertyType() != FdoPropertyType_GeometricProperty)
        throw FdoCommandException::Create(FdoStringP::Format(
            L"SpatialExtents needs a geometric property; '%ls' is not one.", (FdoString*)a.property));
    return a;
}

}  // namespace

void Sdf3Select::SetLockType(FdoLockType value) {
    if (value != FdoLockType_None) throw FdoCommandException::Create(L"The SDF provider does not lock features.");
}

FdoIFeatureReader* Sdf3Select::Execute() {
    if (m_ordering->GetCount() > 0)
        throw FdoCommandException::Create(L"The SDF provider does not order selected features.");
    return Sdf3FeatureReader::Create(m_session, m_className, m_properties, m_filter, m_parameters);
}

FdoIDataReader* Sdf3SelectAggregates::Execute() {
    if (m_grouping->GetCount() > 0 || m_distinct || m_ordering->GetCount() > 0)
        throw FdoCommandException::Create(
            L"The SDF provider computes Count and SpatialExtents only, without grouping, distinct or ordering.");
    if (m_properties->GetCount() == 0)
        throw FdoCommandException::Create(L"SelectAggregates needs Count or SpatialExtents in its property list.");
    FdoPtr<FdoClassDefinition> cls = m_session->Schema().FindClass(m_className);
    std::vector<Aggregate> aggregates;
    for (FdoInt32 i = 0; i < m_properties->GetCount(); i++) {
        FdoPtr<FdoIdentifier> id = m_properties->GetItem(i);
        aggregates.push_back(ParseAggregate(id, cls));
    }
    FdoPtr<Sdf3FeatureReader> reader =
        Sdf3FeatureReader::Create(m_session, m_className, nullptr, m_filter, m_parameters);
    while (reader->ReadNext()) {
        for (auto& a : aggregates) {
            if (a.property.IsEmpty()) {
                a.count++;
                continue;
            }
            if (reader->IsNull(a.property)) continue;
            a.count++;
            if (!a.extents) continue;
            FdoInt32 n = 0;
            const FdoByte* fgf = reader->GetGeometry(a.property, &n);
            FdoFgfBounds b = FdoFgfBounds::Compute(fgf, n);
            a.bounds.Add(b.minX, b.minY);
            a.bounds.Add(b.maxX, b.maxY);
        }
    }
    reader->Close();

    FdoPtr<ogrcore::DataRowReader> result = ogrcore::DataRowReader::Create();
    for (auto& a : aggregates) {
        if (a.extents) {
            bool empty = a.bounds.IsEmpty();
            FdoPtr<FdoByteArray> fgf =
                empty ? nullptr : ogrcore::RectangleFgf(a.bounds.minX, a.bounds.minY, a.bounds.maxX, a.bounds.maxY);
            result->AddGeometry(a.alias, fgf, empty);
        } else {
            FdoPtr<FdoDataValue> count = FdoInt64Value::Create(a.count);
            result->AddData(a.alias, count);
        }
    }
    return result.Detach();
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
