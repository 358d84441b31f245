// Where the tests find real reference data.
//
// The reference data is not part of this repository: it sits beside it
// (../shared/data by default). GEOXFER_SHARED_DATA in the environment
// overrides the folder chosen at configure time. Tests that need it call
// SharedDataOrSkip(), which skips them with a printed reason when it is absent.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

#include <gtest/gtest.h>

namespace geoxfer_test {

inline std::filesystem::path SharedDataDir() {
    if (const char* env = std::getenv("GEOXFER_SHARED_DATA"); env && *env) return env;
#ifdef GEOXFER_SHARED_DATA
    return GEOXFER_SHARED_DATA;
#else
    return "../shared/data";
#endif
}

// Shape files and GeoPackages unpacked from Debian packages by
// scripts/sample-data.sh (GEOXFER_SAMPLE_DATA, default its cache folder).
inline std::filesystem::path SampleDataDir() {
    if (const char* env = std::getenv("GEOXFER_SAMPLE_DATA"); env && *env) return env;
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home ? home : "/root") / ".cache/geoxfer/sample-data";
}

inline std::filesystem::path SourceDir() {
#ifdef GEOXFER_SOURCE_DIR
    return GEOXFER_SOURCE_DIR;
#else
    return ".";
#endif
}

// A fresh, empty folder for one test's files. The process id keeps tests
// that CTest runs in parallel processes out of each other's way.
inline std::filesystem::path TempDir(const std::string& name) {
    auto dir = std::filesystem::temp_directory_path() /
               ("geoxfer-test-" + name + "-" + std::to_string(static_cast<long>(getpid())));
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    return dir;
}

}  // namespace geoxfer_test

// Skips the calling test when the given sub-folder of the reference data is missing.
#define SHARED_DATA_OR_SKIP(sub)                                                             \
    do {                                                                                     \
        if (!std::filesystem::exists(geoxfer_test::SharedDataDir() / (sub)))                 \
            GTEST_SKIP() << "reference data not found: "                                      \
                         << (geoxfer_test::SharedDataDir() / (sub)).string()                  \
                         << " (set GEOXFER_SHARED_DATA to the shared/data folder)";          \
    } while (0)

// Skips the calling test when the given sub-folder of the sample data cache is missing.
#define SAMPLE_DATA_OR_SKIP(sub)                                                             \
    do {                                                                                     \
        if (!std::filesystem::exists(geoxfer_test::SampleDataDir() / (sub)))                 \
            GTEST_SKIP() << "sample data not found: "                                         \
                         << (geoxfer_test::SampleDataDir() / (sub)).string()                  \
                         << " (run scripts/sample-data.sh)";                                  \
    } while (0)
