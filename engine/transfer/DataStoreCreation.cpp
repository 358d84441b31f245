// Data store creation: any provider's data store from a text of data store
// properties, and an empty SDF file.
//
// The properties text uses connection string syntax so that scripts and the
// command-line runner can pass it as one argument. Only the names that the
// provider's dictionary lists are set; others are ignored, which lets one
// text serve providers that take slightly different properties.
#include "transfer/Connections.h"
#include "transfer/StoreAccess.h"

#include <GeoxferApi/FDO_Api.h>
#include <GeoxferApi/LastError.h>

#include <Fdo.h>
#include <FdoCommon/FdoCommonConnStringParser.h>

#include <cwctype>

namespace {

constexpr const wchar_t* kNoCreateDataStore = L"FDO Data Store doen't suport Create Data Store command!";

// True when the text between the first and the second dot of the provider
// name is SDF in any letter case (OSGeo.SDF.3.4, osgeo.sdf).
bool IsSdfProviderName(FdoString* name) {
    FdoStringP full(name);
    const std::wstring& text = full.Str();
    size_t first = text.find(L'.');
    if (first == std::wstring::npos) return false;
    size_t second = text.find(L'.', first + 1);
    std::wstring part = text.substr(first + 1, second == std::wstring::npos ? std::wstring::npos : second - first - 1);
    return wcscasecmp(part.c_str(), L"SDF") == 0;
}

void SetListedProperties(FdoIDataStorePropertyDictionary* dictionary, const wchar_t* properties) {
    FdoCommonConnStringParser parser(properties);
    FdoInt32 count = 0;
    FdoString** names = dictionary->GetPropertyNames(count);
    // Copy the names first: setting a value may change the dictionary, and
    // with it the borrowed array.
    FdoPtr<FdoStringCollection> listed = FdoStringCollection::Create();
    for (FdoInt32 i = 0; names && i < count; i++) listed->Add(FdoStringP(names[i]));
    for (FdoInt32 i = 0; i < listed->GetCount(); i++) {
        FdoString* name = listed->GetString(i);
        if (!parser.IsPropertyValueSet(name)) continue;
        FdoString* value = parser.GetPropertyValueW(name);
        dictionary->SetProperty(name, value ? value : L"");
    }
}

}  // namespace

int c_FDO_Api::GXF_CreateDataStore(const wchar_t* providerName, const wchar_t* dataStoreProperties) {
    try {
        FdoPtr<FdoIConnection> connection = gxf::CreateConnection(providerName);
        if (!connection) return gxf::Fail(GXF_Result_CreateSourceConnection, L"Unable to Create Source Connection");
        if (!GetSupportCommand(connection, FdoCommandType_CreateDataStore))
            return gxf::Fail(GXF_Result_MissingCommand, kNoCreateDataStore);
        FdoPtr<FdoICreateDataStore> create =
            static_cast<FdoICreateDataStore*>(connection->CreateCommand(FdoCommandType_CreateDataStore));
        FdoPtr<FdoIDataStorePropertyDictionary> dictionary = create->GetDataStoreProperties();
        if (dataStoreProperties) SetListedProperties(dictionary, dataStoreProperties);
        create->Execute();
        return GXF_Result_OK;
    } catch (FdoException* e) {
        return gxf::FailWithException(e);
    }
}

bool c_FDO_Api::CreateSdfFile(const wchar_t* fileName) {
    FdoPtr<IProviderRegistry> registry = FdoFeatureAccessManager::GetProviderRegistry();
    if (!registry) return false;
    const FdoProviderCollection* providers = registry->GetProviders();
    if (!providers) return false;
    FdoStringP sdfProvider;
    for (FdoInt32 i = 0; i < providers->GetCount() && sdfProvider.GetLength() == 0; i++) {
        FdoPtr<FdoProvider> provider = providers->GetItem(i);
        if (provider && IsSdfProviderName(provider->GetName())) sdfProvider = provider->GetName();
    }
    if (sdfProvider.GetLength() == 0) return false;

    FdoPtr<FdoIConnection> connection = gxf::CreateConnection(sdfProvider);
    if (!connection) return false;
    FdoPtr<FdoICreateDataStore> create =
        static_cast<FdoICreateDataStore*>(connection->CreateCommand(FdoCommandType_CreateDataStore));
    if (create) {
        FdoPtr<FdoIDataStorePropertyDictionary> dictionary = create->GetDataStoreProperties();
        dictionary->SetProperty(L"File", fileName);
        create->Execute();
    }
    return true;
}
