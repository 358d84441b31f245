// NorvFeatureReader: the features of one class, streamed from a query on
// its table. Every property of the class is readable (a select list only
// has to name existing properties); the filter, when given, is decided row
// by row by FdoCommonFilterEvaluator after the SQL narrowed the rows.
#pragma once

#include "NorvSchema.h"

#include <FdoCommon/FdoCommonFilterEvaluator.h>

#include <optional>

namespace norvdb {

class NorvFeatureReader : public FdoIFeatureReader {
public:
    // where: SQLite condition narrowing the rows ("" for none).
    static NorvFeatureReader* Create(NorvConnection* connection, const NorvClassMap& map, const std::string& where,
                                     FdoFilter* filter, FdoParameterValueCollection* parameters);

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
    void Close() override;

protected:
    NorvFeatureReader() = default;
    void Dispose() override { delete this; }

private:
    int Col(FdoString* name);
    sqlite3_stmt* Row();

    FdoPtr<NorvConnection> m_connection;
    NorvClassMap m_map;
    std::unique_ptr<Statement> m_stmt;
    std::vector<FdoStringP> m_names;      // property per column
    std::vector<std::optional<std::wstring>> m_strings;
    FdoPtr<FdoCommonFilterEvaluator> m_evaluator;
    bool m_onRow = false, m_done = false;
};

}  // namespace norvdb
