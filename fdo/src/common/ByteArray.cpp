#include <Fdo/Common/ByteArray.h>
#include <Fdo/Common/Exception.h>

FdoByteArray* FdoByteArray::Create() { return new FdoByteArray(); }

FdoByteArray* FdoByteArray::Create(FdoInt32 initialAlloc) {
    FdoByteArray* a = new FdoByteArray();
    if (initialAlloc > 0) a->m_data.reserve(static_cast<size_t>(initialAlloc));
    return a;
}

FdoByteArray* FdoByteArray::Create(const FdoByte* values, FdoInt32 count) {
    FdoByteArray* a = new FdoByteArray();
    if (values && count > 0) a->m_data.assign(values, values + count);
    return a;
}

FdoByteArray* FdoByteArray::Append(FdoByteArray* array, FdoByte value) {
    if (!array) array = Create();
    array->m_data.push_back(value);
    return array;
}

FdoByteArray* FdoByteArray::Append(FdoByteArray* array, FdoInt32 count, const FdoByte* values) {
    if (!array) array = Create();
    if (values && count > 0) array->m_data.insert(array->m_data.end(), values, values + count);
    return array;
}

FdoByteArray* FdoByteArray::SetSize(FdoByteArray* array, FdoInt32 newSize) {
    if (newSize < 0) throw FdoException::Create(L"Invalid negative array size.");
    if (!array) array = Create();
    array->m_data.resize(static_cast<size_t>(newSize));
    return array;
}
