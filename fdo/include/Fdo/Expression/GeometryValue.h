// FdoGeometryValue: a geometry literal held as FGF bytes.
#pragma once

#include <Fdo/Common/ByteArray.h>
#include <Fdo/Expression/Expression.h>

class FDO_API FdoGeometryValue : public FdoLiteralValue {
public:
    static FdoGeometryValue* Create() { return new FdoGeometryValue(nullptr); }
    // Keeps a reference to the FGF bytes.
    static FdoGeometryValue* Create(FdoByteArray* fgf) { return new FdoGeometryValue(fgf); }

    // New reference to the FGF bytes, or null for a null value.
    FdoByteArray* GetGeometry() { return FDO_SAFE_ADDREF(m_geometry); }
    void SetGeometry(FdoByteArray* fgf);
    bool IsNull() { return m_geometry == nullptr; }
    void SetNullValue() { FDO_SAFE_RELEASE(m_geometry); }

    FdoExpressionItemType GetExpressionType() override { return FdoExpressionItemType_GeometryValue; }
    FdoLiteralValueType GetLiteralValueType() override { return FdoLiteralValueType_Geometry; }
    FdoString* ToString() override;

protected:
    explicit FdoGeometryValue(FdoByteArray* fgf) : m_geometry(FDO_SAFE_ADDREF(fgf)) {}
    ~FdoGeometryValue() override { FDO_SAFE_RELEASE(m_geometry); }

private:
    FdoByteArray* m_geometry;
};
