// The feature commands: Select, SelectAggregates (Count and
// SpatialExtents), Insert (single values or batches), Update and Delete.
// Rows are read through SdfFeatureReader and written through ogrcore's
// FeatureWriter, inside the DataSource's chunked transaction.
#pragma once

#include "SdfCommand.h"

namespace sdf {

class SdfSelect : public SdfFeatureCommand<FdoISelect> {
public:
    static SdfSelect* Create(SdfConnection* c) { return new SdfSelect(c); }
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
    explicit SdfSelect(SdfConnection* c)
        : SdfFeatureCommand(c), m_properties(FdoIdentifierCollection::Create()),
          m_ordering(FdoIdentifierCollection::Create()) {}

private:
    FdoPtr<FdoIdentifierCollection> m_properties;
    FdoPtr<FdoIdentifierCollection> m_ordering;
    FdoOrderingOption m_orderingOption = FdoOrderingOption_Ascending;
};

class SdfSelectAggregates : public SdfFeatureCommand<FdoISelectAggregates> {
public:
    static SdfSelectAggregates* Create(SdfConnection* c) { return new SdfSelectAggregates(c); }
    FdoIdentifierCollection* GetPropertyNames() override { return FDO_SAFE_ADDREF(m_properties.p); }
    FdoIdentifierCollection* GetOrdering() override { return FDO_SAFE_ADDREF(m_ordering.p); }
    void SetOrderingOption(FdoOrderingOption option) override { m_orderingOption = option; }
    FdoOrderingOption GetOrderingOption() override { return m_orderingOption; }
    void SetDistinct(bool value) override { m_distinct = value; }
    bool GetDistinct() override { return m_distinct; }
    FdoIdentifierCollection* GetGrouping() override { return FDO_SAFE_ADDREF(m_grouping.p); }
    void SetGroupingFilter(FdoFilter* filter) override { m_groupingFilter = FDO_SAFE_ADDREF(filter); }
    FdoFilter* GetGroupingFilter() override { return FDO_SAFE_ADDREF(m_groupingFilter.p); }
    FdoIDataReader* Execute() override;

protected:
    explicit SdfSelectAggregates(SdfConnection* c)
        : SdfFeatureCommand(c), m_properties(FdoIdentifierCollection::Create()),
          m_ordering(FdoIdentifierCollection::Create()), m_grouping(FdoIdentifierCollection::Create()) {}

private:
    FdoPtr<FdoIdentifierCollection> m_properties;
    FdoPtr<FdoIdentifierCollection> m_ordering;
    FdoPtr<FdoIdentifierCollection> m_grouping;
    FdoPtr<FdoFilter> m_groupingFilter;
    FdoOrderingOption m_orderingOption = FdoOrderingOption_Ascending;
    bool m_distinct = false;
};

class SdfInsert : public SdfCommand<FdoIInsert> {
public:
    static SdfInsert* Create(SdfConnection* c) { return new SdfInsert(c); }
    FdoIdentifier* GetFeatureClassName() override { return FDO_SAFE_ADDREF(m_className.p); }
    void SetFeatureClassName(FdoIdentifier* value) override { m_className = FDO_SAFE_ADDREF(value); }
    void SetFeatureClassName(FdoString* value) override {
        m_className = value ? FdoIdentifier::Create(value) : nullptr;
    }
    FdoPropertyValueCollection* GetPropertyValues() override { return FDO_SAFE_ADDREF(m_values.p); }
    FdoBatchParameterValueCollection* GetBatchParameterValues() override { return FDO_SAFE_ADDREF(m_batch.p); }
    FdoIFeatureReader* Execute() override;

protected:
    explicit SdfInsert(SdfConnection* c)
        : SdfCommand(c), m_values(FdoPropertyValueCollection::Create()),
          m_batch(FdoBatchParameterValueCollection::Create()) {}

private:
    FdoPtr<FdoIdentifier> m_className;
    FdoPtr<FdoPropertyValueCollection> m_values;
    FdoPtr<FdoBatchParameterValueCollection> m_batch;
};

class SdfUpdate : public SdfFeatureCommand<FdoIUpdate> {
public:
    static SdfUpdate* Create(SdfConnection* c) { return new SdfUpdate(c); }
    FdoPropertyValueCollection* GetPropertyValues() override { return FDO_SAFE_ADDREF(m_values.p); }
    FdoInt32 Execute() override;

protected:
    explicit SdfUpdate(SdfConnection* c) : SdfFeatureCommand(c), m_values(FdoPropertyValueCollection::Create()) {}

private:
    FdoPtr<FdoPropertyValueCollection> m_values;
};

class SdfDelete : public SdfFeatureCommand<FdoIDelete> {
public:
    static SdfDelete* Create(SdfConnection* c) { return new SdfDelete(c); }
    FdoInt32 Execute() override;

protected:
    using SdfFeatureCommand::SdfFeatureCommand;
};

}  // namespace sdf
