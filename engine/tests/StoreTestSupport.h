// Shared pieces of the spatial context, schema and copy tests: real data
// locations, opened real connections, and a fake destination that records
// the spatial contexts it is asked to create.
#pragma once

#include <GeoxferApi/FDO_Api.h>

#include "FakeProvider.h"
#include <FdoCommon/FdoCommonCapabilities.h>
#include "TestData.h"

#include <filesystem>
#include <string>
#include <vector>

namespace xfer_test {

inline std::filesystem::path Sheboygan() { return geoxfer_test::SharedDataDir() / "shp/Sheboygan"; }

inline std::wstring Wide(const std::filesystem::path& p) { return p.wstring(); }

inline std::wstring ShpConn(const std::filesystem::path& folder) { return L"DefaultFileLocation=" + folder.wstring(); }

inline std::wstring SdfConn(const std::filesystem::path& file) {
    return L"File=" + file.wstring() + L";ReadOnly=FALSE;";
}

// An open connection, or a test failure.
inline FdoPtr<FdoIConnection> Open(FdoString* provider, const std::wstring& connString) {
    FdoPtr<IConnectionManager> manager = FdoFeatureAccessManager::GetConnectionManager();
    FdoPtr<FdoIConnection> c = manager->CreateConnection(provider);
    c->SetConnectionString(connString.c_str());
    EXPECT_EQ(c->Open(), FdoConnectionState_Open);
    return c;
}

// A new SDF store at path, opened.
inline FdoPtr<FdoIConnection> NewSdf(const std::filesystem::path& file) {
    EXPECT_TRUE(c_FDO_Api::CreateSdfFile(file.wstring().c_str()));
    return Open(L"OSGeo.SDF", SdfConn(file));
}

inline FdoPtr<FdoFeatureSchemaCollection> Describe(FdoIConnection* c) {
    FdoPtr<FdoIDescribeSchema> d = static_cast<FdoIDescribeSchema*>(c->CreateCommand(FdoCommandType_DescribeSchema));
    return d->Execute();
}

inline FdoPtr<FdoFeatureSchemaCollection> ReadSchemaXml(const std::filesystem::path& file) {
    FdoPtr<FdoFeatureSchemaCollection> schemas = FdoFeatureSchemaCollection::Create(nullptr);
    schemas->ReadXml(file.wstring().c_str());
    return schemas;
}

// "Schema:Class" of every class, in order.
inline std::vector<std::wstring> QualifiedClassNames(FdoFeatureSchemaCollection* schemas) {
    std::vector<std::wstring> names;
    for (FdoInt32 s = 0; s < schemas->GetCount(); s++) {
        FdoPtr<FdoFeatureSchema> schema = schemas->GetItem(s);
        FdoPtr<FdoClassCollection> classes = schema->GetClasses();
        for (FdoInt32 c = 0; c < classes->GetCount(); c++) {
            FdoPtr<FdoClassDefinition> cd = classes->GetItem(c);
            names.push_back(std::wstring(schema->GetName()) + L":" + cd->GetName());
        }
    }
    return names;
}

inline std::wstring LastError() { return c_FDO_Api::GXF_GetLastError(); }

// UTF-8 for test messages.
inline std::string Narrow(const std::wstring& w) { return static_cast<const char*>(FdoStringP(w.c_str())); }

// What a create spatial context command was given.
struct CreatedContext {
    std::wstring name, description, coordinateSystem, wkt;
    FdoSpatialContextExtentType extentType;
    double xyTolerance, zTolerance;
};

// A connection that offers get and create spatial context. It lists the
// contexts in `listed`, records every created one in `created`, and fails
// the creation of a context whose name is in `refused`.
class ContextStore : public fake::Connection {
public:
    static ContextStore* Create(FdoString* providerName) { return new ContextStore(providerName); }

    std::vector<CreatedContext> listed;
    std::vector<CreatedContext> created;
    std::vector<std::wstring> refused;
    std::vector<FdoInt32> commands{FdoCommandType_GetSpatialContexts, FdoCommandType_CreateSpatialContext};
    int getCount = 0;

    FdoICommandCapabilities* GetCommandCapabilities() override {
        return FdoCommonCommandCapabilities::Create({.commands = commands});
    }
    FdoICommand* CreateCommand(FdoInt32 type) override;

protected:
    explicit ContextStore(FdoString* name) : fake::Connection(name, {}) {}
};

class CommandBase {
public:
    explicit CommandBase(ContextStore* store) : m_store(FDO_SAFE_ADDREF(store)) {}
    ContextStore* Store() { return m_store; }

protected:
    FdoPtr<ContextStore> m_store;
};

#define XFER_TEST_COMMAND_BASICS                                                                    \
    FdoIConnection* GetConnection() override { return FDO_SAFE_ADDREF(static_cast<FdoIConnection*>(Store())); } \
    FdoITransaction* GetTransaction() override { return nullptr; }                                  \
    void SetTransaction(FdoITransaction*) override {}                                               \
    FdoInt32 GetCommandTimeout() override { return 0; }                                             \
    void SetCommandTimeout(FdoInt32) override {}                                                    \
    FdoParameterValueCollection* GetParameterValues() override { return FdoParameterValueCollection::Create(); } \
    void Prepare() override {}                                                                      \
    void Cancel() override {}                                                                       \
    void Dispose() override { delete this; }

class ContextReader : public FdoISpatialContextReader {
public:
    explicit ContextReader(std::vector<CreatedContext> rows) : m_rows(std::move(rows)) {}
    FdoString* GetName() override { return Row().name.c_str(); }
    FdoString* GetDescription() override { return Row().description.c_str(); }
    FdoString* GetCoordinateSystem() override { return Row().coordinateSystem.c_str(); }
    FdoString* GetCoordinateSystemWkt() override { return Row().wkt.c_str(); }
    FdoSpatialContextExtentType GetExtentType() override { return Row().extentType; }
    FdoByteArray* GetExtent() override { return nullptr; }
    double GetXYTolerance() override { return Row().xyTolerance; }
    double GetZTolerance() override { return Row().zTolerance; }
    bool IsActive() override { return m_index == 0; }
    bool ReadNext() override { return ++m_index < static_cast<long>(m_rows.size()); }

protected:
    void Dispose() override { delete this; }

private:
    CreatedContext& Row() { return m_rows.at(static_cast<size_t>(m_index)); }
    std::vector<CreatedContext> m_rows;
    long m_index = -1;
};

class GetContexts : public FdoIGetSpatialContexts, public CommandBase {
public:
    using CommandBase::CommandBase;
    XFER_TEST_COMMAND_BASICS
    bool GetActiveOnly() override { return m_activeOnly; }
    void SetActiveOnly(bool v) override { m_activeOnly = v; }
    FdoISpatialContextReader* Execute() override {
        Store()->getCount++;
        auto rows = Store()->listed;
        if (m_activeOnly && rows.size() > 1) rows.resize(1);
        return new ContextReader(rows);
    }

private:
    bool m_activeOnly = true;
};

class CreateContext : public FdoICreateSpatialContext, public CommandBase {
public:
    using CommandBase::CommandBase;
    XFER_TEST_COMMAND_BASICS
    FdoString* GetName() override { return m_c.name.c_str(); }
    void SetName(FdoString* v) override { m_c.name = v ? v : L""; }
    FdoString* GetDescription() override { return m_c.description.c_str(); }
    void SetDescription(FdoString* v) override { m_c.description = v ? v : L""; }
    FdoString* GetCoordinateSystem() override { return m_c.coordinateSystem.c_str(); }
    void SetCoordinateSystem(FdoString* v) override { m_c.coordinateSystem = v ? v : L""; }
    FdoString* GetCoordinateSystemWkt() override { return m_c.wkt.c_str(); }
    void SetCoordinateSystemWkt(FdoString* v) override { m_c.wkt = v ? v : L""; }
    FdoSpatialContextExtentType GetExtentType() override { return m_c.extentType; }
    void SetExtentType(FdoSpatialContextExtentType v) override { m_c.extentType = v; }
    FdoByteArray* GetExtent() override { return nullptr; }
    void SetExtent(FdoByteArray*) override {}
    double GetXYTolerance() override { return m_c.xyTolerance; }
    void SetXYTolerance(double v) override { m_c.xyTolerance = v; }
    double GetZTolerance() override { return m_c.zTolerance; }
    void SetZTolerance(double v) override { m_c.zTolerance = v; }
    bool GetUpdateExisting() override { return false; }
    void SetUpdateExisting(bool) override {}
    void Execute() override {
        for (auto& r : Store()->refused)
            if (r == m_c.name) throw FdoCommandException::Create(L"Spatial context already exists.");
        Store()->created.push_back(m_c);
    }

private:
    CreatedContext m_c{L"", L"", L"", L"", FdoSpatialContextExtentType_Dynamic, 0, 0};
};

inline FdoICommand* ContextStore::CreateCommand(FdoInt32 type) {
    if (type == FdoCommandType_GetSpatialContexts) return new GetContexts(this);
    if (type == FdoCommandType_CreateSpatialContext) return new CreateContext(this);
    throw FdoConnectionException::Create(FdoStringP::Format(L"Command %d is not supported.", type));
}

inline CreatedContext Context(const wchar_t* name, const wchar_t* cs) {
    return {name, std::wstring(L"about ") + name, cs, std::wstring(L"WKT of ") + cs,
            FdoSpatialContextExtentType_Static, 0.5, 0.25};
}

}  // namespace xfer_test
