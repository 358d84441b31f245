// libFuzzer target for filter and expression text. The bytes, read as
// Latin-1, go to FdoFilter::Parse and FdoExpression::Parse. Besides a crash,
// a leak or a hang, a finding is a parsed filter whose text does not read
// back as the same text, or an evaluator that cannot be prepared without
// throwing something other than an FdoException.
#include <Fdo.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

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
    if (size > (1u << 16)) return 0;
    std::wstring text(data, data + size);

    Guard([&] {
        FdoPtr<FdoFilter> f = FdoFilter::Parse(text.c_str());
        std::wstring printed = f->ToString();
        FdoPtr<FdoFilter> again;
        try {
            again = FdoFilter::Parse(printed.c_str());
        } catch (FdoException* e) {
            e->Release();
            abort();  // printed text must read back
        }
        if (printed != again->ToString()) abort();
        FdoPtr<FdoCommonFilterEvaluator> eval = FdoCommonFilterEvaluator::Create(f, nullptr);
    });
    Guard([&] {
        FdoPtr<FdoExpression> e = FdoExpression::Parse(text.c_str());
        e->ToString();
    });
    return 0;
}
