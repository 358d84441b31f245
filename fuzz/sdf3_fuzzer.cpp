// libFuzzer target for the SDF 3 file reader: the bytes are taken as a
// whole file and read the way a full copy reads one (catalogue, schema,
// every record and value, every spatial index). Any outcome but a read or
// an FdoException (a crash, a leak, a hang, a read outside the bytes) is
// a finding. Small page sizes keep inputs small: the page size is read
// from the header, never assumed.
#include <Fdo.h>
#include <sdf3/Sdf3Check.h>
#include <sdf3/Sdf3File.h>

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > (1u << 20)) return 0;
    try {
        auto pages = sdf3::PageFile::FromBytes(L"fuzz.sdf", std::vector<uint8_t>(data, data + size));
        auto file = sdf3::Sdf3File::FromPages(std::move(pages));
        sdf3::CheckFile(*file);
    } catch (FdoException* e) {
        e->Release();
    }
    return 0;
}
