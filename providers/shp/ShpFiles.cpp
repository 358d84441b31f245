// Shape file headers are little-endian except the fields this code does not
// touch; the DBF header is the dBase III layout GDAL reads.
#include "ShpFiles.h"

#include <cstring>
#include <ctime>
#include <fstream>
#include <sstream>

#include <sys/stat.h>
#include <unistd.h>

namespace shp {

namespace {

[[noreturn]] void Fail(const FdoStringP& message) { throw FdoCommandException::Create(message); }

}  // namespace

FdoStringP PathText(const fs::path& p) { return FdoStringP(p.string().c_str()); }

fs::path NormalisePath(FdoString* text) {
    std::string s = FdoStringP::Utf8FromUnicode(text ? text : L"");
    for (char& c : s)
        if (c == '\\') c = '/';
    return fs::path(s);
}

bool Exists(const fs::path& p) {
    std::error_code ec;
    return fs::exists(p, ec);
}

fs::path Sibling(const fs::path& shp, const char* extension) {
    fs::path lower = shp;
    lower.replace_extension(extension);
    if (Exists(lower)) return lower;
    std::string upper = extension;
    for (char& c : upper) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    fs::path other = shp;
    other.replace_extension(upper);
    return Exists(other) ? other : lower;
}

bool IsWritable(const fs::path& p) {
    struct stat st;
    if (stat(p.c_str(), &st) != 0) return false;
    return access(p.c_str(), W_OK) == 0 && (st.st_mode & 0222) != 0;
}

int ReadShapeType(const fs::path& shp) {
    std::ifstream in(shp, std::ios::binary);
    unsigned char header[100];
    if (!in.read(reinterpret_cast<char*>(header), sizeof header))
        Fail(FdoStringP::Format(L"The file '%ls' is not a shape file: it is shorter than a shape file header.",
                                static_cast<FdoString*>(PathText(shp))));
    if (header[0] != 0 || header[1] != 0 || header[2] != 0x27 || header[3] != 0x0a)
        Fail(FdoStringP::Format(L"The file '%ls' is not a shape file.", static_cast<FdoString*>(PathText(shp))));
    return header[32] | header[33] << 8 | header[34] << 16 | header[35] << 24;
}

void WriteShapeType(const fs::path& file, int type) {
    std::fstream io(file, std::ios::binary | std::ios::in | std::ios::out);
    unsigned char bytes[4] = {static_cast<unsigned char>(type), static_cast<unsigned char>(type >> 8),
                              static_cast<unsigned char>(type >> 16), static_cast<unsigned char>(type >> 24)};
    io.seekp(32);
    if (!io || !io.write(reinterpret_cast<char*>(bytes), 4))
        Fail(FdoStringP::Format(L"Cannot write the header of '%ls'.", static_cast<FdoString*>(PathText(file))));
}

std::vector<DbfField> ReadDbfFields(const fs::path& dbf) {
    std::ifstream in(dbf, std::ios::binary);
    unsigned char header[32];
    if (!in.read(reinterpret_cast<char*>(header), sizeof header))
        Fail(FdoStringP::Format(L"The file '%ls' is not a dBase file.", static_cast<FdoString*>(PathText(dbf))));
    int headerLength = header[8] | header[9] << 8;
    std::vector<DbfField> fields;
    for (int offset = 32; offset + 32 <= headerLength; offset += 32) {
        unsigned char d[32];
        if (!in.read(reinterpret_cast<char*>(d), sizeof d))
            Fail(FdoStringP::Format(L"The file '%ls' is truncated in its header.", static_cast<FdoString*>(PathText(dbf))));
        if (d[0] == 0x0d) break;
        DbfField f;
        f.name.assign(reinterpret_cast<char*>(d), strnlen(reinterpret_cast<char*>(d), 11));
        f.type = static_cast<char>(d[11]);
        f.width = d[16];
        f.decimals = d[17];
        fields.push_back(f);
    }
    return fields;
}

void WriteEmptyDbf(const fs::path& dbf, const std::vector<DbfField>& fields) {
    std::string out(32, '\0');
    time_t now = time(nullptr);
    struct tm t;
    localtime_r(&now, &t);
    int recordLength = 1;
    for (const auto& f : fields) recordLength += f.width;
    int headerLength = 32 + 32 * static_cast<int>(fields.size()) + 1;
    out[0] = 0x03;
    out[1] = static_cast<char>(t.tm_year);
    out[2] = static_cast<char>(t.tm_mon + 1);
    out[3] = static_cast<char>(t.tm_mday);
    out[8] = static_cast<char>(headerLength & 0xff);
    out[9] = static_cast<char>(headerLength >> 8);
    out[10] = static_cast<char>(recordLength & 0xff);
    out[11] = static_cast<char>(recordLength >> 8);
    for (const auto& f : fields) {
        std::string d(32, '\0');
        memcpy(&d[0], f.name.data(), std::min<size_t>(f.name.size(), 11));
        d[11] = f.type;
        d[16] = static_cast<char>(f.width);
        d[17] = static_cast<char>(f.decimals);
        out += d;
    }
    out += '\x0d';
    out += '\x1a';
    WriteText(dbf, out);
}

std::string ReadText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return "";
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteText(const fs::path& file, const std::string& text) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (!out || !out.write(text.data(), static_cast<std::streamsize>(text.size())) || !out.flush())
        Fail(FdoStringP::Format(L"Cannot write the file '%ls'.", static_cast<FdoString*>(PathText(file))));
}

FdoStringP CoordinateSystemName(const std::string& wkt) {
    auto quotedAfter = [&](size_t pos) -> std::string {
        size_t open = wkt.find('"', pos);
        if (open == std::string::npos) return "";
        size_t close = wkt.find('"', open + 1);
        return close == std::string::npos ? "" : wkt.substr(open + 1, close - open - 1);
    };
    for (const char* key : {"PROJCS", "GEOGCS", "LOCAL_CS"}) {
        size_t pos = wkt.find(key);
        if (pos != std::string::npos) return FdoStringP(quotedAfter(pos).c_str());
    }
    return FdoStringP(quotedAfter(0).c_str());
}

}  // namespace shp
