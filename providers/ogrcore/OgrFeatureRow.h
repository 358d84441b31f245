// FeatureRow: the current OGR feature seen as an FdoIFeatureReader over
// every bound property (reader index = binding index). FeatureReader
// serves callers through it, and the filter evaluator reads it directly.
// Converted strings and geometry bytes are cached until the next feature.
#pragma once

#include <ogrcore/OgrClassMap.h>
#include <ogrcore/OgrHandles.h>

namespace ogrcore {

class FeatureRow : public FdoIFeatureReader {
public:
    static FeatureRow* Create(ClassMap* map) { return new FeatureRow(map); }

    void SetFeature(OGRFeatureH feature);
    OGRFeatureH Feature() const { return m_feature.get(); }
    int Count() const { return static_cast<int>(m_map->Bindings().size()); }
    const PropertyBinding& At(int i) const { return m_map->Bindings()[static_cast<size_t>(i)]; }
    int Find(FdoString* name) const { return m_map->Find(name); }

    bool IsNullAt(int i);
    bool BooleanAt(int i);
    FdoByte ByteAt(int i);
    FdoDateTime DateTimeAt(int i);
    double DoubleAt(int i);
    FdoInt16 Int16At(int i);
    FdoInt32 Int32At(int i);
    FdoInt64 Int64At(int i);
    float SingleAt(int i);
    FdoString* StringAt(int i);
    FdoLOBValue* LOBAt(int i);
    const FdoByte* GeometryAt(int i, FdoInt32* count);

    FdoClassDefinition* GetClassDefinition() override { return m_map->GetClass(); }
    FdoInt32 GetDepth() override { return 0; }
    FdoIFeatureReader* GetFeatureObject(FdoString* name) override;
    bool GetBoolean(FdoString* name) override { return BooleanAt(Index(name)); }
    FdoByte GetByte(FdoString* name) override { return ByteAt(Index(name)); }
    FdoDateTime GetDateTime(FdoString* name) override { return DateTimeAt(Index(name)); }
    double GetDouble(FdoString* name) override { return DoubleAt(Index(name)); }
    FdoInt16 GetInt16(FdoString* name) override { return Int16At(Index(name)); }
    FdoInt32 GetInt32(FdoString* name) override { return Int32At(Index(name)); }
    FdoInt64 GetInt64(FdoString* name) override { return Int64At(Index(name)); }
    float GetSingle(FdoString* name) override { return SingleAt(Index(name)); }
    FdoString* GetString(FdoString* name) override { return StringAt(Index(name)); }
    FdoLOBValue* GetLOB(FdoString* name) override { return LOBAt(Index(name)); }
    FdoIStreamReader* GetLOBStreamReader(FdoString* name) override;
    bool IsNull(FdoString* name) override { return IsNullAt(Index(name)); }
    FdoByteArray* GetGeometry(FdoString* name) override { return GeometryArray(Index(name)); }
    const FdoByte* GetGeometry(FdoString* name, FdoInt32* count) override { return GeometryAt(Index(name), count); }
    FdoIRaster* GetRaster(FdoString* name) override;

    bool GetBoolean(FdoInt32 i) override { return BooleanAt(Check(i)); }
    FdoByte GetByte(FdoInt32 i) override { return ByteAt(Check(i)); }
    FdoDateTime GetDateTime(FdoInt32 i) override { return DateTimeAt(Check(i)); }
    double GetDouble(FdoInt32 i) override { return DoubleAt(Check(i)); }
    FdoInt16 GetInt16(FdoInt32 i) override { return Int16At(Check(i)); }
    FdoInt32 GetInt32(FdoInt32 i) override { return Int32At(Check(i)); }
    FdoInt64 GetInt64(FdoInt32 i) override { return Int64At(Check(i)); }
    float GetSingle(FdoInt32 i) override { return SingleAt(Check(i)); }
    FdoString* GetString(FdoInt32 i) override { return StringAt(Check(i)); }
    FdoLOBValue* GetLOB(FdoInt32 i) override { return LOBAt(Check(i)); }
    bool IsNull(FdoInt32 i) override { return IsNullAt(Check(i)); }
    FdoByteArray* GetGeometry(FdoInt32 i) override { return GeometryArray(Check(i)); }
    const FdoByte* GetGeometry(FdoInt32 i, FdoInt32* count) override { return GeometryAt(Check(i), count); }

    FdoString* GetPropertyName(FdoInt32 i) override { return At(Check(i)).name; }
    FdoInt32 GetPropertyIndex(FdoString* name) override { return Index(name); }
    bool ReadNext() override;
    void Close() override { m_feature.reset(); }

    FdoByteArray* GeometryArray(int i);
    [[noreturn]] void Mismatch(int i);

protected:
    explicit FeatureRow(ClassMap* map);
    void Dispose() override { delete this; }

private:
    int Index(FdoString* name);
    int Check(FdoInt32 index);
    const PropertyBinding& Typed(int i, FdoDataType type);
    OGRFeatureH Current();

    FdoPtr<ClassMap> m_map;
    FeaturePtr m_feature;
    FdoInt64 m_serial = 0;
    struct Cache {
        FdoInt64 serial = -1;
        FdoStringP text;
        std::vector<FdoByte> bytes;
        bool null = false;
    };
    std::vector<Cache> m_cache;
    std::vector<FdoByte> m_wkb;
};

}  // namespace ogrcore
