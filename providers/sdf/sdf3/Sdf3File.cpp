// See Sdf3File.h.
#include "Sdf3File.h"

#include "Sdf3Error.h"

#include <cwctype>
#include <set>

#include <sys/stat.h>

namespace sdf3 {

namespace {

bool PlainChar(wchar_t c) { return (c < 128 && std::iswalnum(static_cast<wint_t>(c))) || c == L'_'; }

// Does the stored table-name part match a class name under the mangling rule?
bool Matches(const std::string& stored, const std::wstring& name) {
    if (stored.size() != name.size()) return false;
    for (size_t i = 0; i < name.size(); i++) {
        wchar_t c = name[i];
        char s = stored[i];
        if (PlainChar(c) ? s != static_cast<char>(c)
            : c == L':'  ? s != '_'
            : c == L' '  ? s != '$'
                         : !(std::isalnum(static_cast<unsigned char>(s))))
            return false;
    }
    return true;
}

bool HasHotJournal(const std::wstring& path) {
    std::string journal = FdoStringP::Utf8FromUnicode(path.c_str()) + "-journal";
    struct stat st {};
    return ::stat(journal.c_str(), &st) == 0 && st.st_size > 0;
}

}  // namespace

Sdf3File::Sdf3File(std::unique_ptr<PageFile> pages) : m_pages(std::move(pages)) {
    m_catalog = Catalog::Read(*m_pages);
    auto schema = m_catalog.Root("SCHEMA");
    if (!schema) Fail(Name(), L"it has no SCHEMA table");
    m_schema = ReadSchemaRecords(*m_pages, *schema);
    std::set<std::wstring> names;
    for (size_t i = 0; i < m_schema.classes.size(); i++) {
        if (!names.insert(m_schema.classes[i].name).second)
            Failf(Name(), L"the class '%ls' is stored twice", m_schema.classes[i].name.c_str());
        Lineage(static_cast<int>(i));
    }
}

std::unique_ptr<Sdf3File> Sdf3File::Open(const std::wstring& path) {
    if (HasHotJournal(path))
        Fail(path, L"a journal beside it shows an unfinished write; open the file with the program that wrote it "
                   L"first, or remove the journal if that write is to be given up");
    return FromPages(PageFile::Open(path));
}

std::unique_ptr<Sdf3File> Sdf3File::FromPages(std::unique_ptr<PageFile> pages) {
    return std::unique_ptr<Sdf3File>(new Sdf3File(std::move(pages)));
}

int Sdf3File::ClassId(const std::wstring& className) const {
    for (size_t i = 0; i < m_schema.classes.size(); i++)
        if (m_schema.classes[i].name == className) return static_cast<int>(i);
    return -1;
}

std::vector<int> Sdf3File::Lineage(int classId) const {
    std::vector<int> chain;
    for (int id = classId; id >= 0;) {
        if (chain.size() > m_schema.classes.size())
            Failf(Name(), L"the base classes of '%ls' run in a circle", m_schema.classes[classId].name.c_str());
        chain.insert(chain.begin(), id);
        const std::wstring& base = m_schema.classes[id].baseName;
        if (base.empty()) break;
        int next = ClassId(base);
        if (next < 0)
            Failf(Name(), L"the class '%ls' names the base class '%ls', which the file does not hold",
                  m_schema.classes[id].name.c_str(), base.c_str());
        id = next;
    }
    return chain;
}

std::string Sdf3File::MangledName(const std::wstring& className) {
    std::string out;
    for (wchar_t c : className)
        out += PlainChar(c) ? static_cast<char>(c) : c == L':' ? '_' : c == L' ' ? '$' : '?';
    return out;
}

std::optional<uint32_t> Sdf3File::FindTable(const std::string& prefix, int classId) const {
    const std::wstring& name = m_schema.classes[Lineage(classId).front()].name;
    std::vector<std::string> tables = m_catalog.NamesStartingWith(prefix);
    std::vector<std::string> matching;
    for (const auto& t : tables)
        if (Matches(t.substr(prefix.size()), name)) matching.push_back(t);
    if (matching.size() != 1) {
        if (tables.size() != 1) return std::nullopt;
        matching = tables;
    }
    return m_catalog.Root(matching.front());
}

uint32_t Sdf3File::DataRoot(int classId) const {
    auto root = FindTable("DATA_", classId);
    if (!root) Failf(Name(), L"no DATA table belongs to the class '%ls'", m_schema.classes[classId].name.c_str());
    return *root;
}

std::optional<uint32_t> Sdf3File::RTreeRoot(int classId) const { return FindTable("RTREE_", classId); }

}  // namespace sdf3
