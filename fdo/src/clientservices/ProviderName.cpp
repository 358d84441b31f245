// Splitting and comparing provider names.
#include "clientservices/ProviderName.h"

#include <cwctype>

namespace {

bool IsDigits(const std::wstring& s) {
    if (s.empty()) return false;
    for (wchar_t c : s)
        if (!iswdigit(static_cast<wint_t>(c))) return false;
    return true;
}

// Numbers of any length compare without overflow: drop leading zeros, then
// the longer is larger, else compare digit by digit.
int ComparePart(const std::wstring& a, const std::wstring& b) {
    if (!IsDigits(a) || !IsDigits(b)) return a.compare(b);
    std::wstring x = a.substr(std::min(a.find_first_not_of(L'0'), a.size()));
    std::wstring y = b.substr(std::min(b.find_first_not_of(L'0'), b.size()));
    if (x.size() != y.size()) return x.size() < y.size() ? -1 : 1;
    return x.compare(y);
}

}  // namespace

FdoProviderName::FdoProviderName(FdoString* text) {
    std::vector<std::wstring> parts;
    std::wstring s(text ? text : L"");
    size_t start = 0;
    for (;;) {
        size_t dot = s.find(L'.', start);
        parts.push_back(s.substr(start, dot == std::wstring::npos ? std::wstring::npos : dot - start));
        if (dot == std::wstring::npos) break;
        start = dot + 1;
    }
    if (parts.size() >= 1) company = parts[0];
    if (parts.size() >= 2) provider = parts[1];
    for (size_t i = 2; i < parts.size(); i++) version.push_back(parts[i]);

    wellFormed = parts.size() >= 3;
    for (const std::wstring& p : parts) wellFormed = wellFormed && !p.empty();
}

bool FdoProviderName::IsMatchedBy(const FdoProviderName& registered) const {
    if (company.empty() || provider.empty()) return false;
    if (company != registered.company || provider != registered.provider) return false;
    if (version.size() > registered.version.size()) return false;
    for (size_t i = 0; i < version.size(); i++)
        if (ComparePart(version[i], registered.version[i]) != 0) return false;
    return true;
}

int FdoProviderName::CompareVersions(const FdoProviderName& a, const FdoProviderName& b) {
    for (size_t i = 0; i < a.version.size() && i < b.version.size(); i++)
        if (int c = ComparePart(a.version[i], b.version[i])) return c < 0 ? -1 : 1;
    if (a.version.size() == b.version.size()) return 0;
    return a.version.size() < b.version.size() ? -1 : 1;
}
