// Feature commands: Select (with filters, partly pushed down into SQL) and
// Insert (property values, or parameters bound from a batch). An insert
// writes its rows in one transaction per Execute and commits what was
// written before a failing row, so nothing already written is lost.
#pragma once

#include "NorvConnection.h"
#include "NorvSchema.h"

#include <optional>

namespace norvdb {

class NorvSelect : public NorvCommand<FdoISelect> {
public:
    static NorvSelect* Create(NorvConnection* c) { return new NorvSelect(c); }
    FdoIdentifier* GetFeatureClassName() override { return FDO_SAFE_ADDREF(m_className.p); }
    void SetFeatureClassName(FdoIdentifier* value) override { m_className = FDO_SAFE_ADDREF(value); }
    void SetFeatureClassName(FdoString* value) override { m_className = value ? FdoIdentifier::Create(value) : nullptr; }
    FdoFilter* GetFilter() override { return FDO_SAFE_ADDREF(m_filter.p); }
    void SetFilter(FdoFilter* value) override { m_filter = FDO_SAFE_ADDREF(value); }
    void SetFilter(FdoString* text) override { m_filter = text && *text ? FdoFilter::Parse(text) : nullptr; }
    FdoIdentifierCollection* GetPropertyNames() override { return FDO_SAFE_ADDREF(m_properties.p); }
    FdoIdentifierCollection* GetOrdering() override { return FDO_SAFE_ADDREF(m_ordering.p); }
    void SetOrderingOption(FdoOrderingOption option) override { m_orderingOption = option; }
    FdoOrderingOption GetOrderingOption() override { return m_orderingOption; }
    FdoLockType GetLockType() override { return FdoLockType_None; }
    void SetLockType(FdoLockType value) override;
    FdoLockStrategy GetLockStrategy() override { return FdoLockStrategy_All; }
    void SetLockStrategy(FdoLockStrategy) override {}
    FdoIFeatureReader* Execute() override;

protected:
    explicit NorvSelect(NorvConnection* c)
        : NorvCommand(c), m_properties(FdoIdentifierCollection::Create()), m_ordering(FdoIdentifierCollection::Create()) {}

private:
    FdoPtr<FdoIdentifier> m_className;
    FdoPtr<FdoFilter> m_filter;
    FdoPtr<FdoIdentifierCollection> m_properties;
    FdoPtr<FdoIdentifierCollection> m_ordering;
    FdoOrderingOption m_orderingOption = FdoOrderingOption_Ascending;
};

class NorvInsert : public NorvCommand<FdoIInsert> {
public:
    static NorvInsert* Create(NorvConnection* c) { return new NorvInsert(c); }
    FdoIdentifier* GetFeatureClassName() override { return FDO_SAFE_ADDREF(m_className.p); }
    void SetFeatureClassName(FdoIdentifier* value) override { m_className = FDO_SAFE_ADDREF(value); }
    void SetFeatureClassName(FdoString* value) override { m_className = value ? FdoIdentifier::Create(value) : nullptr; }
    FdoPropertyValueCollection* GetPropertyValues() override { return FDO_SAFE_ADDREF(m_values.p); }
    FdoBatchParameterValueCollection* GetBatchParameterValues() override { return FDO_SAFE_ADDREF(m_batch.p); }
    FdoIFeatureReader* Execute() override;

protected:
    explicit NorvInsert(NorvConnection* c)
        : NorvCommand(c), m_values(FdoPropertyValueCollection::Create()),
          m_batch(FdoBatchParameterValueCollection::Create()) {}

private:
    // The class is looked up once per class name, not per Execute: an
    // insert runs once per row or batch of a copy.
    const NorvClassMap& Map();

    FdoPtr<FdoIdentifier> m_className;
    FdoPtr<FdoPropertyValueCollection> m_values;
    FdoPtr<FdoBatchParameterValueCollection> m_batch;
    std::optional<NorvClassMap> m_map;
    FdoStringP m_mapName;
};

}  // namespace norvdb
