// Planning walks the command's list once; rows are then folded into the
// items one at a time, so a select-aggregates never holds the class.
#include <FdoCommon/FdoCommonAggregates.h>

#include <Fdo/Common/Exception.h>
#include <Fdo/Expression/Function.h>
#include <Fdo/Expression/Identifier.h>
#include <Fdo/Filter/Filter.h>

#include <cwchar>

namespace {

bool SameName(FdoString* a, FdoString* b) { return wcscasecmp(a ? a : L"", b ? b : L"") == 0; }

// New reference, or null.
FdoPropertyDefinition* FindProperty(FdoClassDefinition* cls, FdoString* name) {
    FdoPtr<FdoPropertyDefinitionCollection> own = cls->GetProperties();
    if (FdoPropertyDefinition* p = own->FindItem(name)) return p;
    FdoPtr<FdoReadOnlyPropertyDefinitionCollection> inherited = cls->GetBaseProperties();
    return inherited->FindItem(name);
}

bool IsIdentity(FdoClassDefinition* cls, FdoString* name) {
    for (FdoPtr<FdoClassDefinition> c = FDO_SAFE_ADDREF(cls); c; c = c->GetBaseClass()) {
        FdoPtr<FdoDataPropertyDefinitionCollection> ids = c->GetIdentityProperties();
        if (ids->GetCount() == 0) continue;
        FdoPtr<FdoDataPropertyDefinition> id = ids->FindItem(name);
        return id != nullptr;
    }
    return false;
}

[[noreturn]] void Refuse(const FdoStringP& message) { throw FdoCommandException::Create(message); }

}  // namespace

FdoCommonAggregates FdoCommonAggregates::Plan(FdoISelectAggregates* command, FdoClassDefinition* cls) {
    FdoString* className = cls->GetName();
    FdoPtr<FdoIdentifierCollection> grouping = command->GetGrouping();
    FdoPtr<FdoFilter> groupingFilter = command->GetGroupingFilter();
    FdoPtr<FdoIdentifierCollection> ordering = command->GetOrdering();
    if (command->GetDistinct())
        Refuse(FdoStringP::Format(L"Select aggregates on class '%ls': distinct is not supported.", className));
    if (grouping->GetCount() > 0)
        Refuse(FdoStringP::Format(L"Select aggregates on class '%ls': grouping is not supported.", className));
    if (groupingFilter)
        Refuse(FdoStringP::Format(
            L"Select aggregates on class '%ls': a grouping filter needs grouping, which is not supported.", className));
    if (ordering->GetCount() > 0)
        Refuse(FdoStringP::Format(L"Select aggregates on class '%ls': ordering is not supported.", className));

    FdoCommonAggregates plan;
    FdoPtr<FdoIdentifierCollection> list = command->GetPropertyNames();
    if (list->GetCount() == 0)
        Refuse(FdoStringP::Format(
            L"Select aggregates on class '%ls' needs Count or SpatialExtents in its property list.", className));
    for (FdoInt32 i = 0; i < list->GetCount(); i++) {
        FdoPtr<FdoIdentifier> id = list->GetItem(i);
        auto* computed = dynamic_cast<FdoComputedIdentifier*>(id.p);
        FdoPtr<FdoExpression> expr = computed ? computed->GetExpression() : nullptr;
        auto* function = dynamic_cast<FdoFunction*>(expr.p);
        if (!function)
            Refuse(FdoStringP::Format(
                L"'%ls' is not an aggregate: select Count(...) or SpatialExtents(...) AS a name.", id->GetText()));
        Item item;
        item.name = id->GetName();
        item.extents = SameName(function->GetName(), L"SpatialExtents");
        if (!item.extents && !SameName(function->GetName(), L"Count"))
            Refuse(FdoStringP::Format(
                L"The aggregate function '%ls' is not supported: use Count or SpatialExtents.", function->GetName()));
        FdoPtr<FdoExpressionCollection> args = function->GetArguments();
        FdoPtr<FdoExpression> arg = args->GetCount() > 0 ? args->GetItem(0) : nullptr;
        auto* argId = dynamic_cast<FdoIdentifier*>(arg.p);
        bool plainName = argId && argId->GetExpressionType() == FdoExpressionItemType_Identifier;
        if (args->GetCount() > 1 || (arg && !plainName) || (item.extents && !arg))
            Refuse(FdoStringP::Format(L"The aggregate '%ls' needs one property name of class '%ls'.", id->GetText(),
                                      className));
        if (argId) {
            item.property = argId->GetText();
            FdoPtr<FdoPropertyDefinition> p = FindProperty(cls, item.property);
            if (!p)
                Refuse(FdoStringP::Format(L"Class '%ls' has no property '%ls'.", className,
                                          static_cast<FdoString*>(item.property)));
            if (item.extents && p->GetPropertyType() != FdoPropertyType_GeometricProperty)
                Refuse(FdoStringP::Format(L"SpatialExtents needs a geometric property of class '%ls'; '%ls' is not one.",
                                          className, static_cast<FdoString*>(item.property)));
            item.identity = IsIdentity(cls, item.property);
        }
        plan.m_items.push_back(std::move(item));
    }
    return plan;
}

bool FdoCommonAggregates::NeedsRows(bool filtered) const {
    if (filtered) return true;
    for (const Item& item : m_items)
        if (!item.extents && !item.property.IsEmpty() && !item.identity) return true;
    return false;
}

void FdoCommonAggregates::AddRow(FdoIFeatureReader* reader) {
    for (Item& item : m_items) {
        if (item.property.IsEmpty()) {
            item.count++;
            continue;
        }
        if (reader->IsNull(item.property)) continue;
        item.count++;
        if (!item.extents) continue;
        FdoInt32 n = 0;
        const FdoByte* fgf = reader->GetGeometry(item.property, &n);
        FdoFgfBounds b = FdoFgfBounds::Compute(fgf, n);
        item.bounds.Add(b.minX, b.minY);
        item.bounds.Add(b.maxX, b.maxY);
    }
}

void FdoCommonAggregates::SetTotals(FdoInt64 count, const FdoFgfBounds& extent) {
    for (Item& item : m_items) {
        item.count = count;
        if (item.extents && count > 0) {
            item.bounds.Add(extent.minX, extent.minY);
            item.bounds.Add(extent.maxX, extent.maxY);
        }
    }
}
