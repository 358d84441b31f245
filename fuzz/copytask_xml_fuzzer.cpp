// libFuzzer target for the copy task file reader.
//
// ReadFromXML takes a file name, so each input is written to one scratch
// file per process first. A task that reads must also write and read back
// to the same fields: that catches reader and writer disagreeing, not only
// crashes.
#include <GeoxferApi/GXFCopyTaskDef.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

namespace {

std::string ScratchPath(const char* suffix) {
    return (std::filesystem::temp_directory_path() /
            ("copytask_xml_fuzzer_" + std::to_string(getpid()) + suffix))
        .string();
}

bool WriteBytes(const std::string& path, const uint8_t* data, size_t size) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(data, 1, size, f) == size;
    return std::fclose(f) == 0 && ok;
}

// Every field of a task as one text; SRIDs below 0 all mean "none".
std::wstring Dump(c_GXFCopyTaskDef* task) {
    std::wstring out;
    auto add = [&](const wchar_t* text) { out += text; out += L'\x1F'; };
    auto flag = [&](bool b) { add(b ? L"1" : L"0"); };
    add(task->GetSourceProvider());
    add(task->GetSourceConnString());
    add(task->GetDestProvider());
    add(task->GetDestConnString());
    flag(task->GetExecuteApplySchema());
    add(task->GetApplySchemaXML());
    flag(task->GetCreateSpatialContext());
    add(task->GetSpatialContextXML());
    flag(task->GetDeleteDestinationData());
    flag(task->GetMagicDataTypes());
    flag(task->GetMagicClassName());
    flag(task->GetSDF_Attr_CreateIfMissing());
    flag(task->GetSDF_Attr_OverwriteFile());
    add(std::to_wstring(task->GetOracle_Attr_SRID() < 0 ? -1 : task->GetOracle_Attr_SRID()).c_str());
    FdoPtr<c_GXFClassCopyDefCollection> classes = task->GetClassCopyDefCollection();
    for (FdoInt32 i = 0; i < classes->GetCount(); i++) {
        FdoPtr<c_GXFClassCopyDef> c = classes->GetItem(i);
        add(L"class");
        add(c->GetSourceClassName());
        add(c->GetDestClassName());
        add(c->GetCopyFilter());
        FdoPtr<c_GXFPropertyCopyDefCollection> props = c->GetPropertyCopyDefCollection();
        for (FdoInt32 j = 0; j < props->GetCount(); j++) {
            FdoPtr<c_GXFPropertyCopyDef> p = props->GetItem(j);
            add(L"mapping");
            add(p->GetSourceProperty());
            add(p->GetDestProperty());
        }
    }
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string input = ScratchPath(".xml");
    static const std::string output = ScratchPath("-out.xml");
    if (!WriteBytes(input, data, size)) return 0;

    FdoPtr<c_GXFCopyTaskDef> task = new c_GXFCopyTaskDef();
    bool read = false;
    try {
        read = task->ReadFromXML(FdoStringP(input.c_str()));
    } catch (FdoException* e) {
        e->Release();
        return 0;
    }
    if (!read) return 0;

    try {
        task->WriteToXML(FdoStringP(output.c_str()));
    } catch (FdoException* e) {
        // Text XML 1.0 cannot carry (read from an XML 1.1 file) may refuse.
        e->Release();
        return 0;
    }
    FdoPtr<c_GXFCopyTaskDef> back = new c_GXFCopyTaskDef();
    try {
        if (!back->ReadFromXML(FdoStringP(output.c_str())) || Dump(task) != Dump(back)) std::abort();
    } catch (FdoException* e) {
        e->Release();
        std::abort();
    }
    return 0;
}
