// Reference counting for every FDO object. The count is atomic so that an
// object may be handed from one thread to another (the copy's read-ahead
// thread makes the values its inserting thread writes) and that shared
// singletons such as the geometry factory may be taken on any thread. An
// object itself is still used by one thread at a time.
#include <Fdo/Common/IDisposable.h>

FdoIDisposable::~FdoIDisposable() = default;

FdoInt32 FdoIDisposable::AddRef() { return m_refCount.fetch_add(1, std::memory_order_relaxed) + 1; }

FdoInt32 FdoIDisposable::Release() {
    // Acquire-release, so that what other threads did to the object happens
    // before its destruction.
    const FdoInt32 left = m_refCount.fetch_sub(1, std::memory_order_acq_rel) - 1;
    if (left == 0) Dispose();
    return left;
}

FdoInt32 FdoIDisposable::GetRefCount() { return m_refCount.load(std::memory_order_relaxed); }
