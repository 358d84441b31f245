// FdoPtr: the reference-holding smart pointer.
//
// Construction from and assignment of a raw pointer take over a reference
// without adding one, because every FDO getter already hands out a new
// reference: `FdoPtr<X> x = obj->GetX();`. Copies add a reference.
#pragma once

#include <Fdo/Common/IDisposable.h>

#include <memory>

template <class T>
class FdoPtr {
public:
    T* p;

    FdoPtr() : p(nullptr) {}
    FdoPtr(T* lp) : p(lp) {}
    FdoPtr(const FdoPtr<T>& o) : p(o.p) { if (p) p->AddRef(); }
    template <class U>
    FdoPtr(const FdoPtr<U>& o) : p(o.p) { if (p) p->AddRef(); }
    FdoPtr(FdoPtr<T>&& o) noexcept : p(o.p) { o.p = nullptr; }
    ~FdoPtr() { Release(); }

    FdoPtr<T>& operator=(T* lp) {
        T* old = p;
        p = lp;
        if (old) old->Release();
        return *this;
    }
    FdoPtr<T>& operator=(const FdoPtr<T>& o) { return Assign(o.p); }
    template <class U>
    FdoPtr<T>& operator=(const FdoPtr<U>& o) { return Assign(o.p); }
    FdoPtr<T>& operator=(FdoPtr<T>&& o) noexcept {
        if (this != std::addressof(o)) {
            T* old = p;
            p = o.p;
            o.p = nullptr;
            if (old) old->Release();
        }
        return *this;
    }

    void Attach(T* lp) { *this = lp; }
    T* Detach() {
        T* r = p;
        p = nullptr;
        return r;
    }
    void Release() {
        T* old = p;
        p = nullptr;
        if (old) old->Release();
    }
    bool CopyTo(T** target) const {
        if (!target) return false;
        *target = p;
        if (p) p->AddRef();
        return true;
    }

    operator T*() const { return p; }
    T& operator*() const { return *p; }
    T* operator->() const { return p; }
    bool operator!() const { return p == nullptr; }
    bool operator==(T* o) const { return p == o; }
    bool operator!=(T* o) const { return p != o; }
    bool operator<(T* o) const { return p < o; }
    T** operator&() { return &p; }

private:
    FdoPtr<T>& Assign(T* np) {
        if (np) np->AddRef();
        T* old = p;
        p = np;
        if (old) old->Release();
        return *this;
    }
};
