// The root of every reference-counted object.
//
// Objects are born with a count of one (static Create functions hand that
// reference to the caller) and destroy themselves through Dispose when the
// last reference is released. The order of the virtual functions is part of
// the exported interface: destructor, Dispose, AddRef, Release, GetRefCount.
#pragma once

#include <Fdo/Common/Std.h>

#include <atomic>

class FDO_API FdoIDisposable {
public:
    virtual FdoInt32 AddRef();
    virtual FdoInt32 Release();
    virtual FdoInt32 GetRefCount();

    FdoIDisposable(const FdoIDisposable&) = delete;
    FdoIDisposable& operator=(const FdoIDisposable&) = delete;

protected:
    FdoIDisposable() : m_refCount(1) {}
    virtual ~FdoIDisposable();
    virtual void Dispose() = 0;

private:
    // The explicit slot order wants the destructor and Dispose first; they
    // are declared above in that order.
    // Atomic: a copy reads on one thread and inserts on another, and the
    // values it hands across are released on either side.
    std::atomic<FdoInt32> m_refCount;
};

// FdoIDisposable whose Dispose is "delete this"; most classes derive from it.
class FDO_API FdoDisposable : public FdoIDisposable {
protected:
    FdoDisposable() = default;
    ~FdoDisposable() override = default;
    void Dispose() override { delete this; }
};

#define FDO_SAFE_RELEASE(x) \
    do {                    \
        if (x) {            \
            (x)->Release(); \
            (x) = nullptr;  \
        }                   \
    } while (0)

template <class T>
inline T* FdoSafeAddRef(T* p) {
    if (p) p->AddRef();
    return p;
}
#define FDO_SAFE_ADDREF(x) FdoSafeAddRef(x)
