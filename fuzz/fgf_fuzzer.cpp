// libFuzzer target for the geometry readers: the same bytes go to the FGF
// reader, the WKB reader, the byte-level converters and, read as Latin-1
// text, to the geometry text parser. Any outcome but a geometry or an
// FdoException (a crash, a leak, a hang) is a finding.
#include <Fdo.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

template <class F>
void Guard(F f) {
    try {
        f();
    } catch (FdoException* e) {
        e->Release();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > (1u << 20)) return 0;
    const auto* bytes = reinterpret_cast<const FdoByte*>(data);
    const auto count = static_cast<FdoInt32>(size);
    FdoPtr<FdoFgfGeometryFactory> factory = FdoFgfGeometryFactory::GetInstance();

    Guard([&] {
        FdoPtr<FdoIGeometry> g = factory->CreateGeometryFromFgf(bytes, count);
        g->GetText();
        FdoPtr<FdoIEnvelope> e = g->GetEnvelope();
        FdoPtr<FdoByteArray> wkb = factory->GetWkb(g);
    });
    Guard([&] {
        std::vector<FdoByte> out;
        FdoFgfWkb::FgfToWkb(bytes, count, out);
        FdoFgfBounds::Compute(bytes, count);
    });
    Guard([&] {
        FdoPtr<FdoByteArray> wkb = FdoByteArray::Create(bytes, count);
        FdoPtr<FdoIGeometry> g = factory->CreateGeometryFromWkb(wkb);
        g->GetText();
    });
    Guard([&] {
        std::wstring text(data, data + size);
        FdoPtr<FdoIGeometry> g = factory->CreateGeometry(text.c_str());
        FdoPtr<FdoByteArray> fgf = factory->GetFgf(g);
    });
    return 0;
}
