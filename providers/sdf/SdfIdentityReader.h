// SdfIdentityReader: what Insert returns - one row per inserted feature,
// holding its identity values (generated ones included). An SDF identity
// may be composite and of any data type, so the rows are kept as data
// values rather than feature ids.
#pragma once

#include <Fdo.h>

#include <vector>

namespace sdf {

class SdfIdentityReader : public FdoIFeatureReader {
public:
    using Row = std::vector<FdoPtr<FdoDataValue>>;

    // names: the identity property names, in the order of each row's
    // values. cls is copied when GetClassDefinition first asks for it.
    static SdfIdentityReader* Create(FdoClassDefinition* cls, std::vector<FdoStringP> names, std::vector<Row> rows) {
        return new SdfIdentityReader(cls, std::move(names), std::move(rows));
    }

    FdoClassDefinition* GetClassDefinition() override;
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
    void Close() override { m_position = m_rows.size(); }

protected:
    SdfIdentityReader(FdoClassDefinition* cls, std::vector<FdoStringP> names, std::vector<Row> rows)
        : m_class(FDO_SAFE_ADDREF(cls)), m_names(std::move(names)), m_rows(std::move(rows)) {}
    void Dispose() override { delete this; }

private:
    // The current row's value of name, checked to be set and of type.
    FdoDataValue* Value(FdoString* name, FdoDataType type);

    FdoPtr<FdoClassDefinition> m_class;
    FdoPtr<FdoClassDefinition> m_copy;
    std::vector<FdoStringP> m_names;
    std::vector<Row> m_rows;
    size_t m_position = 0;
    bool m_started = false;
};

}  // namespace sdf
