// A tiny in-memory provider for the connection and registry tests, shared
// by the layer's and the engine's suites. It opens when its File property is
// set (extra properties may be defined per connection), offers one command (GetSchemaNames) and
// reports its own name, so tests can tell which registered version the
// connection manager picked. FakeConnection::alive counts live connections.
#pragma once

#include <Fdo.h>
#include <FdoCommon/FdoCommonCapabilities.h>
#include <FdoCommon/FdoCommonConnPropDictionary.h>

#include <initializer_list>
#include <string>

namespace fake {

class Info : public FdoIConnectionInfo {
public:
    static Info* Create(FdoString* name, std::initializer_list<FdoString*> extra = {}) {
        return new Info(name, extra);
    }
    FdoString* GetProviderName() override { return m_name; }
    FdoString* GetProviderDisplayName() override { return L"Fake provider"; }
    FdoString* GetProviderDescription() override { return L"In-memory provider for tests."; }
    FdoString* GetProviderVersion() override { return m_version; }
    FdoString* GetFeatureDataObjectsVersion() override { return L"4.2.0.0"; }
    FdoIConnectionPropertyDictionary* GetConnectionProperties() override { return FDO_SAFE_ADDREF(m_dict.p); }
    FdoProviderDatastoreType GetProviderDatastoreType() override { return FdoProviderDatastoreType_File; }
    FdoStringCollection* GetDependentFileNames() override { return FdoStringCollection::Create(); }
    FdoCommonConnPropDictionary* Dictionary() { return m_dict; }

protected:
    Info(FdoString* name, std::initializer_list<FdoString*> extra)
        : m_name(name), m_version(m_name.Right(L"Fake.")), m_dict(FdoCommonConnPropDictionary::Create()) {
        m_dict->AddProperty(L"File", L"", FdoCommonProp_Required | FdoCommonProp_FileName);
        for (FdoString* p : extra) m_dict->AddProperty(p);
        m_dict->AddProperty(L"ReadOnly", L"FALSE", FdoCommonProp_None, {L"FALSE", L"TRUE"});
        m_dict->AddProperty(L"Password", L"", FdoCommonProp_Protected);
    }
    void Dispose() override { delete this; }

private:
    FdoStringP m_name;
    FdoStringP m_version;
    FdoPtr<FdoCommonConnPropDictionary> m_dict;
};

class GetSchemaNames : public FdoIGetSchemaNames {
public:
    static GetSchemaNames* Create(FdoIConnection* c) { return new GetSchemaNames(c); }
    FdoIConnection* GetConnection() override { return FDO_SAFE_ADDREF(m_connection.p); }
    FdoITransaction* GetTransaction() override { return nullptr; }
    void SetTransaction(FdoITransaction*) override {}
    FdoInt32 GetCommandTimeout() override { return 0; }
    void SetCommandTimeout(FdoInt32) override {}
    FdoParameterValueCollection* GetParameterValues() override { return FDO_SAFE_ADDREF(m_params.p); }
    void Prepare() override {}
    void Cancel() override {}
    FdoStringCollection* Execute() override {
        FdoStringCollection* names = FdoStringCollection::Create();
        names->Add(FdoStringP(L"Default"));
        return names;
    }

protected:
    explicit GetSchemaNames(FdoIConnection* c)
        : m_connection(FDO_SAFE_ADDREF(c)), m_params(FdoParameterValueCollection::Create()) {}
    void Dispose() override { delete this; }

private:
    FdoPtr<FdoIConnection> m_connection;
    FdoPtr<FdoParameterValueCollection> m_params;
};

class Connection : public FdoIConnection {
public:
    static Connection* Create(FdoString* providerName, std::initializer_list<FdoString*> extra = {}) {
        return new Connection(providerName, extra);
    }
    static inline int alive = 0;

    FdoICommandCapabilities* GetCommandCapabilities() override {
        return FdoCommonCommandCapabilities::Create({.commands = {FdoCommandType_GetSchemaNames}});
    }
    FdoISchemaCapabilities* GetSchemaCapabilities() override {
        return FdoCommonSchemaCapabilities::Create({
            .classTypes = {FdoClassType_FeatureClass},
            .dataTypes = {FdoDataType_Int32, FdoDataType_String},
            .maximumDataValueLengths = {{FdoDataType_String, 255}},
            .nameSizeLimits = {{FdoSchemaElementNameType_Property, 11}},
            .reservedCharactersForName = L".:",
            .autoIdGeneration = true,
        });
    }
    FdoIConnectionCapabilities* GetConnectionCapabilities() override {
        return FdoCommonConnectionCapabilities::Create({.write = true});
    }
    FdoIFilterCapabilities* GetFilterCapabilities() override {
        return FdoCommonFilterCapabilities::Create({.conditionTypes = {FdoConditionType_Comparison}});
    }
    FdoIExpressionCapabilities* GetExpressionCapabilities() override {
        return FdoCommonExpressionCapabilities::Create({.expressionTypes = {FdoExpressionType_Basic}});
    }
    FdoIRasterCapabilities* GetRasterCapabilities() override { return FdoCommonRasterCapabilities::Create(); }
    FdoITopologyCapabilities* GetTopologyCapabilities() override {
        return FdoCommonTopologyCapabilities::Create();
    }
    FdoIGeometryCapabilities* GetGeometryCapabilities() override {
        return FdoCommonGeometryCapabilities::Create({.geometryTypes = {FdoGeometryType_Point}});
    }

    FdoString* GetConnectionString() override { return m_info->Dictionary()->GetConnectionString(); }
    void SetConnectionString(FdoString* value) override { m_info->Dictionary()->SetConnectionString(value); }
    FdoIConnectionInfo* GetConnectionInfo() override { return FDO_SAFE_ADDREF(m_info.p); }
    FdoConnectionState GetConnectionState() override { return m_state; }
    FdoInt32 GetConnectionTimeout() override { return 0; }
    void SetConnectionTimeout(FdoInt32) override {}

    FdoConnectionState Open() override {
        if (m_state == FdoConnectionState_Open)
            throw FdoConnectionException::Create(L"The connection is already open.");
        m_info->Dictionary()->Validate();
        m_state = FdoConnectionState_Open;
        m_info->Dictionary()->SetLocked(true);
        return m_state;
    }
    void Close() override {
        m_state = FdoConnectionState_Closed;
        m_info->Dictionary()->SetLocked(false);
    }

    FdoITransaction* BeginTransaction() override {
        throw FdoConnectionException::Create(L"Transactions are not supported.");
    }
    FdoICommand* CreateCommand(FdoInt32 type) override {
        FdoPtr<FdoCommonCommandCapabilities> caps =
            static_cast<FdoCommonCommandCapabilities*>(GetCommandCapabilities());
        if (!caps->Supports(type))
            throw FdoConnectionException::Create(FdoStringP::Format(L"Command %d is not supported.", type));
        if (m_state != FdoConnectionState_Open)
            throw FdoConnectionException::Create(L"The connection is not open.");
        return GetSchemaNames::Create(this);
    }
    FdoPhysicalSchemaMapping* CreateSchemaMapping() override { return nullptr; }
    void SetConfiguration(FdoIoStream*) override {
        throw FdoConnectionException::Create(L"Configuration is not supported.");
    }
    void Flush() override {}

protected:
    Connection(FdoString* name, std::initializer_list<FdoString*> extra) : m_info(Info::Create(name, extra)) {
        alive++;
    }
    ~Connection() override { alive--; }
    void Dispose() override { delete this; }

private:
    FdoPtr<Info> m_info;
    FdoConnectionState m_state = FdoConnectionState_Closed;
};

inline FdoIConnection* Create39() { return Connection::Create(L"Test.Fake.3.9"); }
inline FdoIConnection* Create42() { return Connection::Create(L"Test.Fake.4.2"); }

// The registered provider name a connection reports.
inline FdoStringP ProviderOf(FdoIConnection* connection) {
    FdoPtr<FdoIConnectionInfo> info = connection->GetConnectionInfo();
    return info->GetProviderName();
}

// The kind and message of the FdoException that f throws, released here;
// {"", "<nothing thrown>"} when it throws none.
struct Thrown {
    std::wstring kind;
    std::wstring message;
};
template <class F>
Thrown Catch(F f) {
    try {
        f();
    } catch (FdoException* e) {
        Thrown t{e->GetKind(), e->GetExceptionMessage()};
        e->Release();
        return t;
    }
    return {L"", L"<nothing thrown>"};
}

}  // namespace fake
