// The feature commands: Select, SelectAggregates (Count and
// SpatialExtents), Insert (single values or batches), Update and Delete.
// Rows are read through SdfFeatureReader and written through ogrcore's
// FeatureWriter, inside the DataSource's chunked transaction.
#pragma once

#include "SdfCommand.h"

namespace sdf {

class SdfSelect : public ogrcore::SelectSettings<SdfFeatureCommand<FdoISelect>> {
public:
    static SdfSelect* Create(SdfConnection* c) { return new SdfSelect(c); }
    void SetLockType(FdoLockType value) override;
    FdoIFeatureReader* Execute() override;

protected:
    using SelectSettings::SelectSettings;
};

class SdfSelectAggregates : public ogrcore::SelectAggregatesSettings<SdfFeatureCommand<FdoISelectAggregates>> {
public:
    static SdfSelectAggregates* Create(SdfConnection* c) { return new SdfSelectAggregates(c); }
    FdoIDataReader* Execute() override;

protected:
    using SelectAggregatesSettings::SelectAggregatesSettings;
};

class SdfInsert : public ogrcore::InsertSettings<SdfCommand<FdoIInsert>> {
public:
    static SdfInsert* Create(SdfConnection* c) { return new SdfInsert(c); }
    FdoIFeatureReader* Execute() override;

protected:
    using InsertSettings::InsertSettings;
};

class SdfUpdate : public ogrcore::UpdateSettings<SdfFeatureCommand<FdoIUpdate>> {
public:
    static SdfUpdate* Create(SdfConnection* c) { return new SdfUpdate(c); }
    FdoInt32 Execute() override;

protected:
    using UpdateSettings::UpdateSettings;
};

class SdfDelete : public SdfFeatureCommand<FdoIDelete> {
public:
    static SdfDelete* Create(SdfConnection* c) { return new SdfDelete(c); }
    FdoInt32 Execute() override;

protected:
    using FeatureSettings::FeatureSettings;
};

}  // namespace sdf
