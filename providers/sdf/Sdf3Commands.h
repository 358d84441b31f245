// The commands of an SDF connection on a genuine SDF 3 file (Sdf3Session):
// Select, SelectAggregates (Count and SpatialExtents, as for the
// provider's own files), DescribeSchema, GetSchemaNames, GetClassNames and
// GetSpatialContexts.
#pragma once

#include "SdfCommand.h"
#include "Sdf3Session.h"

#include <ogrcore/OgrCommandSettings.h>

namespace sdf {

// The connection's command base (the caller's connection, parameters,
// inert timeout/transaction settings) plus the session the command reads.
template <class Interface>
class Sdf3Command : public SdfCommand<Interface> {
protected:
    Sdf3Command(SdfConnection* owner, Sdf3Session* session)
        : SdfCommand<Interface>(owner), m_session(FDO_SAFE_ADDREF(session)) {}

    FdoPtr<Sdf3Session> m_session;
};

template <class Interface>
using Sdf3FeatureCommand = ogrcore::FeatureSettings<Sdf3Command<Interface>>;

class Sdf3Select : public ogrcore::SelectSettings<Sdf3FeatureCommand<FdoISelect>> {
public:
    static Sdf3Select* Create(SdfConnection* c, Sdf3Session* s) { return new Sdf3Select(c, s); }
    void SetLockType(FdoLockType value) override;
    FdoIFeatureReader* Execute() override;

protected:
    using SelectSettings::SelectSettings;
};

class Sdf3SelectAggregates : public ogrcore::SelectAggregatesSettings<Sdf3FeatureCommand<FdoISelectAggregates>> {
public:
    static Sdf3SelectAggregates* Create(SdfConnection* c, Sdf3Session* s) { return new Sdf3SelectAggregates(c, s); }
    FdoIDataReader* Execute() override;

protected:
    using SelectAggregatesSettings::SelectAggregatesSettings;
};

class Sdf3DescribeSchema : public ogrcore::DescribeSchemaSettings<Sdf3Command<FdoIDescribeSchema>> {
public:
    static Sdf3DescribeSchema* Create(SdfConnection* c, Sdf3Session* s) { return new Sdf3DescribeSchema(c, s); }
    FdoFeatureSchemaCollection* Execute() override;

protected:
    using DescribeSchemaSettings::DescribeSchemaSettings;
};

class Sdf3GetSchemaNames : public Sdf3Command<FdoIGetSchemaNames> {
public:
    static Sdf3GetSchemaNames* Create(SdfConnection* c, Sdf3Session* s) { return new Sdf3GetSchemaNames(c, s); }
    FdoStringCollection* Execute() override;

protected:
    using Sdf3Command::Sdf3Command;
};

class Sdf3GetClassNames : public ogrcore::GetClassNamesSettings<Sdf3Command<FdoIGetClassNames>> {
public:
    static Sdf3GetClassNames* Create(SdfConnection* c, Sdf3Session* s) { return new Sdf3GetClassNames(c, s); }
    FdoStringCollection* Execute() override;

protected:
    using GetClassNamesSettings::GetClassNamesSettings;
};

class Sdf3GetSpatialContexts : public Sdf3Command<FdoIGetSpatialContexts> {
public:
    static Sdf3GetSpatialContexts* Create(SdfConnection* c, Sdf3Session* s) {
        return new Sdf3GetSpatialContexts(c, s);
    }
    bool GetActiveOnly() override { return m_activeOnly; }
    void SetActiveOnly(bool value) override { m_activeOnly = value; }
    FdoISpatialContextReader* Execute() override;

protected:
    using Sdf3Command::Sdf3Command;

private:
    bool m_activeOnly = false;
};

}  // namespace sdf
