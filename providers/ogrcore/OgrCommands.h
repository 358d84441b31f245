// The commands a provider built on ogrcore offers without change. Each is
// created by the provider's CreateCommand with its connection and Store.
#pragma once

#include <ogrcore/OgrCommand.h>

namespace ogrcore {

class Select : public SelectSettings<FeatureCommand<FdoISelect>> {
public:
    static Select* Create(FdoIConnection* connection, Store* store) { return new Select(connection, store); }
    void SetLockType(FdoLockType value) override;
    FdoIFeatureReader* Execute() override;

protected:
    using SelectSettings::SelectSettings;
};

// Count() / Count(property) and SpatialExtents(geometry), as computed
// identifiers; with a filter the rows are read and evaluated, without one
// OGR's feature count and extent answer.
class SelectAggregates : public SelectAggregatesSettings<FeatureCommand<FdoISelectAggregates>> {
public:
    static SelectAggregates* Create(FdoIConnection* connection, Store* store) {
        return new SelectAggregates(connection, store);
    }
    FdoIDataReader* Execute() override;

protected:
    using SelectAggregatesSettings::SelectAggregatesSettings;
};

// Inserts the property values once per Execute, or one feature per element
// of the batch parameter values when the batch is not empty.
class Insert : public InsertSettings<Command<FdoIInsert>> {
public:
    static Insert* Create(FdoIConnection* connection, Store* store) { return new Insert(connection, store); }
    FdoIFeatureReader* Execute() override;

protected:
    using InsertSettings::InsertSettings;
};

class Update : public UpdateSettings<FeatureCommand<FdoIUpdate>> {
public:
    static Update* Create(FdoIConnection* connection, Store* store) { return new Update(connection, store); }
    FdoInt32 Execute() override;

protected:
    using UpdateSettings::UpdateSettings;
};

class Delete : public FeatureCommand<FdoIDelete> {
public:
    static Delete* Create(FdoIConnection* connection, Store* store) { return new Delete(connection, store); }
    FdoInt32 Execute() override;

protected:
    using FeatureCommand<FdoIDelete>::FeatureCommand;
};

class DescribeSchema : public DescribeSchemaSettings<Command<FdoIDescribeSchema>> {
public:
    static DescribeSchema* Create(FdoIConnection* connection, Store* store) {
        return new DescribeSchema(connection, store);
    }
    FdoFeatureSchemaCollection* Execute() override;

protected:
    using DescribeSchemaSettings::DescribeSchemaSettings;
};

class GetSchemaNames : public Command<FdoIGetSchemaNames> {
public:
    static GetSchemaNames* Create(FdoIConnection* connection, Store* store) {
        return new GetSchemaNames(connection, store);
    }
    FdoStringCollection* Execute() override;

protected:
    using Command<FdoIGetSchemaNames>::Command;
};

class GetClassNames : public GetClassNamesSettings<Command<FdoIGetClassNames>> {
public:
    static GetClassNames* Create(FdoIConnection* connection, Store* store) {
        return new GetClassNames(connection, store);
    }
    FdoStringCollection* Execute() override;

protected:
    using GetClassNamesSettings::GetClassNamesSettings;
};

class GetSpatialContexts : public Command<FdoIGetSpatialContexts> {
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
FdoFeatureSchema* FindSchema(FdoFeatureSchemaCollection* schemas, FdoString* name);

}  // namespace ogrcore
