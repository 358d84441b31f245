// Helpers shared by the copy task tests: files in a scratch folder and a
// printable form of a task, for comparing two of them.
#pragma once

#include <GeoxferApi/GXFCopyTaskDef.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace copytask_test {

inline void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

inline std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

inline FdoStringP Wide(const std::filesystem::path& path) { return FdoStringP(path.string().c_str()); }

// A fresh task filled from the given file text; read reports ReadFromXML's result.
inline c_GXFCopyTaskDef* TaskFromText(const std::filesystem::path& dir, const std::string& xml, bool* read = nullptr) {
    const auto path = dir / "task.xml";
    WriteFile(path, xml);
    auto* task = new c_GXFCopyTaskDef();
    const bool ok = task->ReadFromXML(Wide(path));
    if (read) *read = ok;
    return task;
}

// Every field of a task, classes and mappings included, one per line, so
// that two tasks compare as texts and a failure shows what differs. Every
// SRID below 0 means "none" and is written as such, so all print as -1.
inline std::wstring Dump(c_GXFCopyTaskDef* task) {
    std::wstring out;
    auto line = [&](const wchar_t* name, const std::wstring& value) { out += name + (L"=[" + value + L"]\n"); };
    auto flag = [](bool b) { return std::wstring(b ? L"true" : L"false"); };
    line(L"source", std::wstring(task->GetSourceProvider()) + L"|" + task->GetSourceConnString());
    line(L"destination", std::wstring(task->GetDestProvider()) + L"|" + task->GetDestConnString());
    line(L"apply schema", flag(task->GetExecuteApplySchema()) + L"|" + task->GetApplySchemaXML());
    line(L"spatial context", flag(task->GetCreateSpatialContext()) + L"|" + task->GetSpatialContextXML());
    line(L"delete/types/names", flag(task->GetDeleteDestinationData()) + L"|" + flag(task->GetMagicDataTypes()) +
                                    L"|" + flag(task->GetMagicClassName()));
    line(L"sdf", flag(task->GetSDF_Attr_CreateIfMissing()) + L"|" + flag(task->GetSDF_Attr_OverwriteFile()));
    line(L"srid", std::to_wstring(std::max(task->GetOracle_Attr_SRID(), -1)));
    FdoPtr<c_GXFClassCopyDefCollection> classes = task->GetClassCopyDefCollection();
    for (FdoInt32 i = 0; i < classes->GetCount(); i++) {
        FdoPtr<c_GXFClassCopyDef> c = classes->GetItem(i);
        line(L"class", std::wstring(c->GetSourceClassName()) + L"|" + c->GetDestClassName() + L"|" + c->GetCopyFilter());
        FdoPtr<c_GXFPropertyCopyDefCollection> props = c->GetPropertyCopyDefCollection();
        for (FdoInt32 j = 0; j < props->GetCount(); j++) {
            FdoPtr<c_GXFPropertyCopyDef> p = props->GetItem(j);
            line(L"  mapping", std::wstring(p->GetSourceProperty()) + L"|" + p->GetDestProperty());
        }
    }
    return out;
}

// Writes task to a file and reads it back into a fresh task.
inline c_GXFCopyTaskDef* RoundTrip(const std::filesystem::path& dir, c_GXFCopyTaskDef* task) {
    const auto path = dir / "roundtrip.xml";
    EXPECT_TRUE(task->WriteToXML(Wide(path)));
    auto* back = new c_GXFCopyTaskDef();
    EXPECT_TRUE(back->ReadFromXML(Wide(path)));
    return back;
}

}  // namespace copytask_test
