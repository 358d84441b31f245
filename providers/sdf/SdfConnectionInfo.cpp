// The SDF connection properties and provider names; see SdfConnectionInfo.h.
#include "SdfConnectionInfo.h"

#include "SdfProvider.h"

namespace sdf {

SdfConnectionInfo::SdfConnectionInfo() : m_properties(FdoCommonConnPropDictionary::Create()) {
    m_properties->AddProperty(L"File", L"", FdoCommonProp_Required | FdoCommonProp_FileName);
    m_properties->AddProperty(L"ReadOnly", L"FALSE", FdoCommonProp_None, {L"FALSE", L"TRUE"});
}

FdoString* SdfConnectionInfo::GetProviderName() { return kProviderName; }
FdoString* SdfConnectionInfo::GetProviderDisplayName() { return kProviderDisplayName; }
FdoString* SdfConnectionInfo::GetProviderDescription() { return kProviderDescription; }
FdoString* SdfConnectionInfo::GetProviderVersion() { return kProviderVersion; }
FdoString* SdfConnectionInfo::GetFeatureDataObjectsVersion() { return kFdoVersion; }

FdoStringCollection* SdfConnectionInfo::GetDependentFileNames() {
    FdoStringCollection* files = FdoStringCollection::Create();
    if (!m_openFile.IsEmpty()) files->Add(m_openFile);
    return files;
}

}  // namespace sdf
