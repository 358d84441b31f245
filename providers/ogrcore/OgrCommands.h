// The commands a provider built on ogrcore offers without change. Each is
// created by the provider's CreateCommand with its connection and Store.
#pragma once

#include <ogrcore/OgrCommand.h>

namespace ogrcore {

class FDO_API Select : public FeatureCommand<FdoISelect> {
public:
    static Select* Create(FdoIConnection* connection, Store* store) { return new Select(connection, store); }

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
    Select(FdoIConnection* connection, Store* store);

private:
    FdoPtr<FdoIdentifierCollection> m_properties;
    FdoPtr<FdoIdentifierCollection> m_ordering;
    FdoOrderingOption m_orderingOption = FdoOrderingOption_Ascending;
};

// Count() / Count(property) and SpatialExtents(geometry), as computed
// identifiers; with a filter the rows are read and evaluated, without one
// OGR's feature count and extent answer.
class FDO_API SelectAggregates : public FeatureCommand<FdoISelectAggregates> {
public:
    static SelectAggregates* Create(FdoIConnection* connection, Store* store) {
        return new SelectAggregates(connection, store);
    }

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
    SelectAggregates(FdoIConnection* connection, Store* store);

private:
    FdoPtr<FdoIdentifierCollection> m_properties;
    FdoPtr<FdoIdentifierCollection> m_ordering;
    FdoPtr<FdoIdentifierCollection> m_grouping;
    FdoPtr<FdoFilter> m_groupingFilter;
    FdoOrderingOption m_orderingOption = FdoOrderingOption_Ascending;
    bool m_distinct = false;
};

// Inserts the property values once per Execute, or one feature per element
// of the batch parameter values when the batch is not empty.
class FDO_API Insert : public Command<FdoIInsert> {
public:
    static Insert* Create(FdoIConnection* connection, Store* store) { return new Insert(connection, store); }

    FdoIdentifier* GetFeatureClassName() override { return FDO_SAFE_ADDREF(m_className.p); }
    void SetFeatureClassName(FdoIdentifier* value) override { m_className = FDO_SAFE_ADDREF(value); }
    void SetFeatureClassName(FdoString* value) override {
        m_className = value ? FdoIdentifier::Create(value) : nullptr;
    }
    FdoPropertyValueCollection* GetPropertyValues() override { return FDO_SAFE_ADDREF(m_values.p); }
    FdoBatchParameterValueCollection* GetBatchParameterValues() override { return FDO_SAFE_ADDREF(m_batch.p); }
    FdoIFeatureReader* Execute() override;

protected:
    Insert(FdoIConnection* connection, Store* store);

private:
    FdoPtr<FdoIdentifier> m_className;
    FdoPtr<FdoPropertyValueCollection> m_values;
    FdoPtr<FdoBatchParameterValueCollection> m_batch;
};

class FDO_API Update : public FeatureCommand<FdoIUpdate> {
public:
    static Update* Create(FdoIConnection* connection, Store* store) { return new Update(connection, store); }
    FdoPropertyValueCollection* GetPropertyValues() override { return FDO_SAFE_ADDREF(m_values.p); }
    FdoInt32 Execute() override;

protected:
    Update(FdoIConnection* connection, Store* store);

private:
    FdoPtr<FdoPropertyValueCollection> m_values;
};

class FDO_API Delete : public FeatureCommand<FdoIDelete> {
public:
    static Delete* Create(FdoIConnection* connection, Store* store) { return new Delete(connection, store); }
    FdoInt32 Execute() override;

protected:
    using FeatureCommand<FdoIDelete>::FeatureCommand;
};

class FDO_API DescribeSchema : public Command<FdoIDescribeSchema> {
public:
    static DescribeSchema* Create(FdoIConnection* connection, Store* store) {
        return new DescribeSchema(connection, store);
    }
    FdoString* GetSchemaName() override { return m_schemaName; }
    void SetSchemaName(FdoString* value) override { m_schemaName = value; }
    FdoStringCollection* GetClassNames() override { return FDO_SAFE_ADDREF(m_classNames.p); }
    void SetClassNames(FdoStringCollection* value) override { m_classNames = FDO_SAFE_ADDREF(value); }
    FdoFeatureSchemaCollection* Execute() override;

protected:
    using Command<FdoIDescribeSchema>::Command;

private:
    FdoStringP m_schemaName;
    FdoPtr<FdoStringCollection> m_classNames;
};

class FDO_API GetSchemaNames : public Command<FdoIGetSchemaNames> {
public:
    static GetSchemaNames* Create(FdoIConnection* connection, Store* store) {
        return new GetSchemaNames(connection, store);
    }
    FdoStringCollection* Execute() override;

protected:
    using Command<FdoIGetSchemaNames>::Command;
};

class FDO_API GetClassNames : public Command<FdoIGetClassNames> {
public:
    static GetClassNames* Create(FdoIConnection* connection, Store* store) {
        return new GetClassNames(connection, store);
    }
    FdoString* GetSchemaName() override { return m_schemaName; }
    void SetSchemaName(FdoString* value) override { m_schemaName = value; }
    FdoStringCollection* Execute() override;

protected:
    using Command<FdoIGetClassNames>::Command;

private:
    FdoStringP m_schemaName;
};

class FDO_API GetSpatialContexts : public Command<FdoIGetSpatialContexts> {
public:
    static GetSpatialContexts* Create(FdoIConnection* connection, Store* store) {
        return new GetSpatialContexts(connection, store);
    }
    bool GetActiveOnly() override { return m_activeOnly; }
    void SetActiveOnly(bool value) override { m_activeOnly = value; }
    FdoISpatialContextReader* Execute() override;

protected:
    using Command<FdoIGetSpatialContexts>::Command;

private:
    bool m_activeOnly = false;
};

// The schema named name in schemas, or any when name is empty (new
// reference); an unknown name throws FdoCommandException.
FDO_API FdoFeatureSchema* FindSchema(FdoFeatureSchemaCollection* schemas, FdoString* name);

}  // namespace ogrcore
