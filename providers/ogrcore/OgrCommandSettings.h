// What the commands hold before they run: the class and filter of feature
// commands, and the settings of Select, SelectAggregates, Insert, Update,
// DescribeSchema, GetClassNames, ApplySchema, CreateSpatialContext and the
// data store commands.
//
// Every provider's version of a command keeps the same settings with the
// same getters and setters; only Execute (and the few refusals a provider
// words itself, such as locks or physical mappings) differs. The settings
// sit on top of whatever command base a provider uses, so that each
// provider keeps its own plumbing (connection, transaction rules) and
// writes only what it does differently.
#pragma once

#include <Fdo.h>
#include <FdoCommon/FdoCommonConnPropDictionary.h>

#include <utility>

namespace ogrcore {

// Base: the provider's command base over an interface with a feature class
// name and a filter.
template <class Base>
class FeatureSettings : public Base {
public:
    FdoIdentifier* GetFeatureClassName() override { return FDO_SAFE_ADDREF(m_className.p); }
    void SetFeatureClassName(FdoIdentifier* value) override { m_className = FDO_SAFE_ADDREF(value); }
    void SetFeatureClassName(FdoString* value) override {
        m_className = value ? FdoIdentifier::Create(value) : nullptr;
    }
    FdoFilter* GetFilter() override { return FDO_SAFE_ADDREF(m_filter.p); }
    void SetFilter(FdoFilter* value) override { m_filter = FDO_SAFE_ADDREF(value); }
    void SetFilter(FdoString* text) override { m_filter = text && *text ? FdoFilter::Parse(text) : nullptr; }

protected:
    using Base::Base;

    FdoPtr<FdoIdentifier> m_className;
    FdoPtr<FdoFilter> m_filter;
};

// Base: a feature command base over FdoISelect. Locks: none, and the
// provider says how it refuses others.
template <class Base>
class SelectSettings : public Base {
public:
    FdoIdentifierCollection* GetPropertyNames() override { return FDO_SAFE_ADDREF(m_properties.p); }
    FdoIdentifierCollection* GetOrdering() override { return FDO_SAFE_ADDREF(m_ordering.p); }
    void SetOrderingOption(FdoOrderingOption option) override { m_orderingOption = option; }
    FdoOrderingOption GetOrderingOption() override { return m_orderingOption; }
    FdoLockType GetLockType() override { return FdoLockType_None; }
    FdoLockStrategy GetLockStrategy() override { return FdoLockStrategy_All; }
    void SetLockStrategy(FdoLockStrategy) override {}

protected:
    using Base::Base;

    FdoPtr<FdoIdentifierCollection> m_properties = FdoIdentifierCollection::Create();
    FdoPtr<FdoIdentifierCollection> m_ordering = FdoIdentifierCollection::Create();
    FdoOrderingOption m_orderingOption = FdoOrderingOption_Ascending;
};

// Base: a feature command base over FdoISelectAggregates.
template <class Base>
class SelectAggregatesSettings : public Base {
public:
    FdoIdentifierCollection* GetPropertyNames() override { return FDO_SAFE_ADDREF(m_properties.p); }
    FdoIdentifierCollection* GetOrdering() override { return FDO_SAFE_ADDREF(m_ordering.p); }
    void SetOrderingOption(FdoOrderingOption option) override { m_orderingOption = option; }
    FdoOrderingOption GetOrderingOption() override { return m_orderingOption; }
    void SetDistinct(bool value) override { m_distinct = value; }
    bool GetDistinct() override { return m_distinct; }
    FdoIdentifierCollection* GetGrouping() override { return FDO_SAFE_ADDREF(m_grouping.p); }
    void SetGroupingFilter(FdoFilter* filter) override { m_groupingFilter = FDO_SAFE_ADDREF(filter); }
    FdoFilter* GetGroupingFilter() override { return FDO_SAFE_ADDREF(m_groupingFilter.p); }

protected:
    using Base::Base;

    FdoPtr<FdoIdentifierCollection> m_properties = FdoIdentifierCollection::Create();
    FdoPtr<FdoIdentifierCollection> m_ordering = FdoIdentifierCollection::Create();
    FdoPtr<FdoIdentifierCollection> m_grouping = FdoIdentifierCollection::Create();
    FdoPtr<FdoFilter> m_groupingFilter;
    FdoOrderingOption m_orderingOption = FdoOrderingOption_Ascending;
    bool m_distinct = false;
};

// Base: the provider's command base over FdoIInsert (which has a class
// name but no filter).
template <class Base>
class InsertSettings : public Base {
public:
    FdoIdentifier* GetFeatureClassName() override { return FDO_SAFE_ADDREF(m_className.p); }
    void SetFeatureClassName(FdoIdentifier* value) override { m_className = FDO_SAFE_ADDREF(value); }
    void SetFeatureClassName(FdoString* value) override {
        m_className = value ? FdoIdentifier::Create(value) : nullptr;
    }
    FdoPropertyValueCollection* GetPropertyValues() override { return FDO_SAFE_ADDREF(m_values.p); }
    FdoBatchParameterValueCollection* GetBatchParameterValues() override { return FDO_SAFE_ADDREF(m_batch.p); }

protected:
    using Base::Base;

    FdoPtr<FdoIdentifier> m_className;
    FdoPtr<FdoPropertyValueCollection> m_values = FdoPropertyValueCollection::Create();
    FdoPtr<FdoBatchParameterValueCollection> m_batch = FdoBatchParameterValueCollection::Create();
};

// Base: a feature command base over FdoIUpdate.
template <class Base>
class UpdateSettings : public Base {
public:
    FdoPropertyValueCollection* GetPropertyValues() override { return FDO_SAFE_ADDREF(m_values.p); }

protected:
    using Base::Base;

    FdoPtr<FdoPropertyValueCollection> m_values = FdoPropertyValueCollection::Create();
};

// Base: the provider's command base over FdoIDescribeSchema.
template <class Base>
class DescribeSchemaSettings : public Base {
public:
    FdoString* GetSchemaName() override { return m_schemaName; }
    void SetSchemaName(FdoString* value) override { m_schemaName = value; }
    FdoStringCollection* GetClassNames() override { return FDO_SAFE_ADDREF(m_classNames.p); }
    void SetClassNames(FdoStringCollection* value) override { m_classNames = FDO_SAFE_ADDREF(value); }

protected:
    using Base::Base;

    FdoStringP m_schemaName;
    FdoPtr<FdoStringCollection> m_classNames;
};

// Base: the provider's command base over FdoIGetClassNames.
template <class Base>
class GetClassNamesSettings : public Base {
public:
    FdoString* GetSchemaName() override { return m_schemaName; }
    void SetSchemaName(FdoString* value) override { m_schemaName = value; }

protected:
    using Base::Base;

    FdoStringP m_schemaName;
};

// Base: the provider's command base over FdoIApplySchema.
template <class Base>
class ApplySchemaSettings : public Base {
public:
    FdoFeatureSchema* GetFeatureSchema() override { return FDO_SAFE_ADDREF(m_schema.p); }
    void SetFeatureSchema(FdoFeatureSchema* value) override { m_schema = FDO_SAFE_ADDREF(value); }
    FdoPhysicalSchemaMapping* GetPhysicalMapping() override { return nullptr; }
    bool GetIgnoreStates() override { return m_ignoreStates; }
    void SetIgnoreStates(bool value) override { m_ignoreStates = value; }

protected:
    using Base::Base;

    FdoPtr<FdoFeatureSchema> m_schema;
    bool m_ignoreStates = false;
};

// Base: the provider's command base over FdoICreateSpatialContext. The
// context starts dynamic, with the tolerance the provider gives.
template <class Base>
class CreateSpatialContextSettings : public Base {
public:
    FdoString* GetName() override { return m_sc.name; }
    void SetName(FdoString* value) override { m_sc.name = value; }
    FdoString* GetDescription() override { return m_sc.description; }
    void SetDescription(FdoString* value) override { m_sc.description = value; }
    FdoString* GetCoordinateSystem() override { return m_sc.coordinateSystem; }
    void SetCoordinateSystem(FdoString* value) override { m_sc.coordinateSystem = value; }
    FdoString* GetCoordinateSystemWkt() override { return m_sc.coordinateSystemWkt; }
    void SetCoordinateSystemWkt(FdoString* value) override { m_sc.coordinateSystemWkt = value; }
    FdoSpatialContextExtentType GetExtentType() override { return m_sc.extentType; }
    void SetExtentType(FdoSpatialContextExtentType value) override { m_sc.extentType = value; }
    FdoByteArray* GetExtent() override { return FDO_SAFE_ADDREF(m_extent.p); }
    void SetExtent(FdoByteArray* value) override { m_extent = FDO_SAFE_ADDREF(value); }
    double GetXYTolerance() override { return m_sc.xyTolerance; }
    void SetXYTolerance(double value) override { m_sc.xyTolerance = value; }
    double GetZTolerance() override { return m_sc.zTolerance; }
    void SetZTolerance(double value) override { m_sc.zTolerance = value; }
    bool GetUpdateExisting() override { return m_updateExisting; }
    void SetUpdateExisting(bool value) override { m_updateExisting = value; }

protected:
    template <class... Args>
    CreateSpatialContextSettings(double tolerance, Args&&... args) : Base(std::forward<Args>(args)...) {
        m_sc.extentType = FdoSpatialContextExtentType_Dynamic;
        m_sc.xyTolerance = m_sc.zTolerance = tolerance;
    }

    // The settings as a record; hasExtent and the extent come from the
    // extent geometry's bounds (none when it is absent or empty).
    FdoXmlSpatialContext Settings() const {
        FdoXmlSpatialContext sc = m_sc;
        sc.hasExtent = false;
        if (m_extent && m_extent->GetCount() > 0) {
            FdoFgfBounds bounds = FdoFgfBounds::Compute(m_extent->GetData(), m_extent->GetCount());
            if (!bounds.IsEmpty()) {
                sc.hasExtent = true;
                sc.minX = bounds.minX, sc.minY = bounds.minY, sc.maxX = bounds.maxX, sc.maxY = bounds.maxY;
            }
        }
        return sc;
    }

    FdoXmlSpatialContext m_sc;
    FdoPtr<FdoByteArray> m_extent;
    bool m_updateExisting = false;
};

// Base: the provider's command base over FdoICreateDataStore or
// FdoIDestroyDataStore, whose one data store property is required.
template <class Base>
class DataStoreSettings : public Base {
public:
    FdoIDataStorePropertyDictionary* GetDataStoreProperties() override { return FDO_SAFE_ADDREF(m_properties.p); }

protected:
    // kind: FdoCommonProp_FileName or FdoCommonProp_FilePath.
    template <class... Args>
    DataStoreSettings(FdoString* property, FdoInt32 kind, Args&&... args) : Base(std::forward<Args>(args)...) {
        m_properties->AddProperty(property, L"", FdoCommonProp_Required | kind);
    }

    FdoPtr<FdoCommonDataStorePropDictionary> m_properties = FdoCommonDataStorePropDictionary::Create();
};

}  // namespace ogrcore
