// What the SDF 3 reader's tests share: the message of a thrown
// FdoException, and where the sample files are.
#pragma once

#include <Fdo.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "TestData.h"

namespace sdf3test {

// The message of what f throws as an FdoException, or "" when it throws nothing.
inline std::string Thrown(const std::function<void()>& f) {
    try {
        f();
    } catch (FdoException* e) {
        std::string text = FdoStringP::Utf8FromUnicode(e->ToFullString());
        e->Release();
        return text;
    }
    return "";
}

inline std::filesystem::path SampleSdf(const std::string& name) { return geoxfer_test::SharedDataDir() / "sdf" / name; }

inline std::vector<uint8_t> ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

inline std::wstring Wide(const std::filesystem::path& p) { return FdoStringP(p.string().c_str()).Str(); }

}  // namespace sdf3test

#define EXPECT_THROWS_WITH(statement, text)                                        \
    do {                                                                           \
        std::string thrown_ = sdf3test::Thrown([&] { statement; });                \
        EXPECT_NE(thrown_.find(text), std::string::npos) << "thrown: " << thrown_; \
    } while (0)
