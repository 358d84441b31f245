// FdoByteArray: a reference-counted byte buffer (FGF geometry, LOB values).
#pragma once

#include <Fdo/Common/IDisposable.h>

#include <vector>

class FDO_API FdoByteArray : public FdoIDisposable {
public:
    static FdoByteArray* Create();
    static FdoByteArray* Create(FdoInt32 initialAlloc);
    static FdoByteArray* Create(const FdoByte* values, FdoInt32 count);
    // Appends in place. Returns the array to keep using (FDO's contract allows
    // a different one; this implementation always returns the same).
    static FdoByteArray* Append(FdoByteArray* array, FdoByte value);
    static FdoByteArray* Append(FdoByteArray* array, FdoInt32 count, const FdoByte* values);
    static FdoByteArray* SetSize(FdoByteArray* array, FdoInt32 newSize);

    FdoInt32 GetCount() const { return static_cast<FdoInt32>(m_data.size()); }
    FdoByte* GetData() { return m_data.data(); }
    const FdoByte* GetData() const { return m_data.data(); }
    FdoByte& operator[](FdoInt32 i) { return m_data[static_cast<size_t>(i)]; }
    const FdoByte& operator[](FdoInt32 i) const { return m_data[static_cast<size_t>(i)]; }

protected:
    FdoByteArray() = default;
    void Dispose() override { delete this; }

private:
    std::vector<FdoByte> m_data;
};
