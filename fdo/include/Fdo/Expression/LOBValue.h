// Large object values: bytes (BLOB) or character data (CLOB), held as an
// FdoByteArray that the value shares with its callers.
#pragma once

#include <Fdo/Expression/DataValue.h>

class FDO_API FdoLOBValue : public FdoDataValue {
public:
    // New reference; throws when the value is null.
    FdoByteArray* GetData();
    // Keeps a reference to value; a null pointer makes the value null.
    void SetData(FdoByteArray* value);
    void SetNull() override;

protected:
    FdoLOBValue() = default;
    explicit FdoLOBValue(FdoByteArray* value) { SetData(value); }
    ~FdoLOBValue() override;
    FdoStringP ValueText() override;
    FdoByteArray* m_data = nullptr;
};

class FDO_API FdoBLOBValue : public FdoLOBValue {
public:
    static FdoBLOBValue* Create() { return new FdoBLOBValue(); }
    static FdoBLOBValue* Create(FdoByteArray* value) { return new FdoBLOBValue(value); }
    FdoDataType GetDataType() override { return FdoDataType_BLOB; }

protected:
    FdoBLOBValue() = default;
    explicit FdoBLOBValue(FdoByteArray* value) : FdoLOBValue(value) {}
};

class FDO_API FdoCLOBValue : public FdoLOBValue {
public:
    static FdoCLOBValue* Create() { return new FdoCLOBValue(); }
    static FdoCLOBValue* Create(FdoByteArray* value) { return new FdoCLOBValue(value); }
    FdoDataType GetDataType() override { return FdoDataType_CLOB; }

protected:
    FdoCLOBValue() = default;
    explicit FdoCLOBValue(FdoByteArray* value) : FdoLOBValue(value) {}
};
