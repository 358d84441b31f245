// libFuzzer target for the schema XML reader (and, on the way, the
// spatial-context reader and the schema writer).
//
// Any input may fail with an FdoException; nothing else is allowed. An
// input that reads must also write, and the written text must read back to
// an equal collection: that catches the reader and writer disagreeing, not
// only crashes.
#include <Fdo.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

[[noreturn]] void Abort(const char* what, const FdoStringP& detail) {
    std::fprintf(stderr, "schema_xml_fuzzer: %s: %s\n", what, (const char*)detail);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* text = reinterpret_cast<const char*>(data);
    try {
        FdoXmlSpatialContextIO::ReadString(std::string(text, size), L"fuzz input");
    } catch (FdoException* e) {
        e->Release();
    }

    FdoPtr<FdoFeatureSchemaCollection> schemas = FdoFeatureSchemaCollection::Create(nullptr);
    try {
        FdoXmlSchemaIO::ReadBuffer(schemas, text, size, L"fuzz input");
    } catch (FdoException* e) {
        e->Release();
        return 0;
    }

    std::string written;
    FdoPtr<FdoFeatureSchemaCollection> back = FdoFeatureSchemaCollection::Create(nullptr);
    try {
        written = FdoXmlSchemaIO::WriteString(schemas);
        FdoXmlSchemaIO::ReadString(back, written, L"written text");
    } catch (FdoException* e) {
        FdoStringP message = e->ToFullString();
        e->Release();
        Abort("a schema that read did not write and read back", message + L"\n" + FdoStringP(written.c_str()));
    }
    FdoStringP diff = FdoCommonSchemaCompare::Compare(schemas, back);
    if (!diff.IsEmpty()) Abort("the written schema reads back different", diff);
    return 0;
}
