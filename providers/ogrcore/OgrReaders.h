// Small in-memory readers the commands hand out: the identities an insert
// created, the one row of an aggregate select, and the spatial contexts.
#pragma once

#include <ogrcore/OgrStore.h>

#include <FdoCommon/FdoCommonAggregates.h>

namespace ogrcore {

// One row per inserted feature, holding its identity value.
class IdentityReader : public FdoIFeatureReader {
public:
    static IdentityReader* Create(FdoClassDefinition* cls, FdoString* identityName, FdoDataType type,
                                  std::vector<FdoInt64> values) {
        return new IdentityReader(cls, identityName, type, std::move(values));
    }

    FdoClassDefinition* GetClassDefinition() override { return FDO_SAFE_ADDREF(m_class.p); }
    FdoInt32 GetDepth() override { return 0; }
    FdoIFeatureReader* GetFeatureObject(FdoString* name) override;
    bool GetBoolean(FdoString* name) override;
    FdoByte GetByte(FdoString* name) override;
    FdoDateTime GetDateTime(FdoString* name) override;
    double GetDouble(FdoString* name) override;
    FdoInt16 GetInt16(FdoString* name) override;
    FdoInt32 GetInt32(FdoString* name) override;
    FdoInt64 GetInt64(FdoString* name) override;
    float GetSingle(FdoString* name) override;
    FdoString* GetString(FdoString* name) override;
    FdoLOBValue* GetLOB(FdoString* name) override;
    FdoIStreamReader* GetLOBStreamReader(FdoString* name) override;
    bool IsNull(FdoString* name) override;
    FdoByteArray* GetGeometry(FdoString* name) override;
    const FdoByte* GetGeometry(FdoString* name, FdoInt32* count) override;
    FdoIRaster* GetRaster(FdoString* name) override;
    FdoString* GetPropertyName(FdoInt32 index) override;
    FdoInt32 GetPropertyIndex(FdoString* name) override;
    bool ReadNext() override;
    void Close() override { m_position = m_values.size(); }

protected:
    IdentityReader(FdoClassDefinition* cls, FdoString* identityName, FdoDataType type, std::vector<FdoInt64> values);
    void Dispose() override { delete this; }

private:
    [[noreturn]] void Mismatch(FdoString* name, FdoString* wanted);
    void Check(FdoString* name);

    FdoPtr<FdoClassDefinition> m_class;
    FdoStringP m_name;
    FdoDataType m_type;
    std::vector<FdoInt64> m_values;
    size_t m_position = 0;
    bool m_started = false;
};

// One row of named values: data values or FGF geometries.
class DataRowReader : public FdoIDataReader {
public:
    static DataRowReader* Create() { return new DataRowReader(); }
    void AddData(FdoString* name, FdoDataValue* value);
    void AddGeometry(FdoString* name, FdoByteArray* fgf, bool isNull);

    FdoInt32 GetPropertyCount() override { return static_cast<FdoInt32>(m_columns.size()); }
    FdoDataType GetDataType(FdoString* name) override;
    FdoPropertyType GetPropertyType(FdoString* name) override;
    bool GetBoolean(FdoString* name) override;
    FdoByte GetByte(FdoString* name) override;
    FdoDateTime GetDateTime(FdoString* name) override;
    double GetDouble(FdoString* name) override;
    FdoInt16 GetInt16(FdoString* name) override;
    FdoInt32 GetInt32(FdoString* name) override;
    FdoInt64 GetInt64(FdoString* name) override;
    float GetSingle(FdoString* name) override;
    FdoString* GetString(FdoString* name) override;
    FdoLOBValue* GetLOB(FdoString* name) override;
    FdoIStreamReader* GetLOBStreamReader(FdoString* name) override;
    bool IsNull(FdoString* name) override;
    FdoByteArray* GetGeometry(FdoString* name) override;
    FdoIRaster* GetRaster(FdoString* name) override;
    FdoString* GetPropertyName(FdoInt32 index) override;
    FdoInt32 GetPropertyIndex(FdoString* name) override;
    bool ReadNext() override;
    void Close() override { m_done = true; }

protected:
    DataRowReader() = default;
    void Dispose() override { delete this; }

private:
    struct Column {
        FdoStringP name;
        FdoPtr<FdoDataValue> value;  // null for a geometry column
        FdoPtr<FdoByteArray> fgf;
    };
    Column& Get(FdoString* name);
    FdoDataValue* Value(FdoString* name, FdoDataType type);  // borrowed, checked non-null

    std::vector<Column> m_columns;
    bool m_started = false;
    bool m_done = false;
};

class SpatialContextReader : public FdoISpatialContextReader {
public:
    static SpatialContextReader* Create(std::vector<SpatialContextInfo> contexts) {
        return new SpatialContextReader(std::move(contexts));
    }
    FdoString* GetName() override { return Current().name; }
    FdoString* GetDescription() override { return Current().description; }
    FdoString* GetCoordinateSystem() override { return Current().coordinateSystem; }
    FdoString* GetCoordinateSystemWkt() override { return Current().wkt; }
    FdoSpatialContextExtentType GetExtentType() override { return Current().extentType; }
    FdoByteArray* GetExtent() override;
    double GetXYTolerance() override { return Current().xyTolerance; }
    double GetZTolerance() override { return Current().zTolerance; }
    bool IsActive() override { return true; }
    bool ReadNext() override;

protected:
    explicit SpatialContextReader(std::vector<SpatialContextInfo> contexts) : m_contexts(std::move(contexts)) {}
    void Dispose() override { delete this; }

private:
    const SpatialContextInfo& Current();
    std::vector<SpatialContextInfo> m_contexts;
    size_t m_position = 0;
    bool m_started = false;
};

// FGF of the closed polygon around a rectangle.
FdoByteArray* RectangleFgf(double minX, double minY, double maxX, double maxY);

// The one row of a select-aggregates: an Int64 per Count, the rectangle
// (or null) per SpatialExtents.
DataRowReader* AggregateReader(const FdoCommonAggregates& aggregates);

}  // namespace ogrcore
