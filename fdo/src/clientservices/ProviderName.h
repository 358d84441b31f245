// Provider names are "Company.Provider.Version..." ("OSGeo.SHP.4.2"). The
// registry validates names and the connection manager resolves short names
// with these helpers; version parts compare as numbers when both are digits.
#pragma once

#include <Fdo/Common/Std.h>

#include <string>
#include <vector>

struct FdoProviderName {
    std::wstring company;
    std::wstring provider;
    std::vector<std::wstring> version;
    bool wellFormed = false;  // company, provider and at least one version part, none empty

    explicit FdoProviderName(FdoString* text);

    // Same company and provider, and every version part of this name equals
    // the registered name's part at the same place.
    bool IsMatchedBy(const FdoProviderName& registered) const;
    // <0, 0 or >0 comparing the version parts.
    static int CompareVersions(const FdoProviderName& a, const FdoProviderName& b);
};
