// Reference counting for every FDO object. Counting is not atomic: the
// system runs one thread per process (see the architecture notes).
#include <Fdo/Common/IDisposable.h>

FdoIDisposable::~FdoIDisposable() = default;

FdoInt32 FdoIDisposable::AddRef() { return ++m_refCount; }

FdoInt32 FdoIDisposable::Release() {
    if (--m_refCount == 0) {
        Dispose();
        return 0;
    }
    return m_refCount;
}

FdoInt32 FdoIDisposable::GetRefCount() { return m_refCount; }
