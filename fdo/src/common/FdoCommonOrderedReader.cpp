// See FdoCommonOrderedReader.h. Each cell keeps the value in the widest
// form of its kind (integers as Int64, floating point as double) and the
// getters give it back in the property's own type, so a sorted row reads
// as it did from the store.
#include <FdoCommon/FdoCommonOrderedReader.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

struct Cell {
    bool null = true;
    FdoInt64 integer = 0;
    double real = 0;
    std::wstring text;
    FdoDateTime date;
    std::vector<FdoByte> bytes;
};

struct Column {
    FdoStringP name;
    bool geometry = false;
    FdoDataType type = FdoDataType_String;
};

bool IsInteger(FdoDataType t) {
    return t == FdoDataType_Boolean || t == FdoDataType_Byte || t == FdoDataType_Int16 || t == FdoDataType_Int32 ||
           t == FdoDataType_Int64;
}

bool IsReal(FdoDataType t) {
    return t == FdoDataType_Double || t == FdoDataType_Single || t == FdoDataType_Decimal;
}

int CompareDates(const FdoDateTime& a, const FdoDateTime& b) {
    const double x[] = {double(a.year), double(a.month), double(a.day), double(a.hour), double(a.minute), a.seconds};
    const double y[] = {double(b.year), double(b.month), double(b.day), double(b.hour), double(b.minute), b.seconds};
    for (int i = 0; i < 6; i++)
        if (x[i] != y[i]) return x[i] < y[i] ? -1 : 1;
    return 0;
}

int Compare(const Cell& a, const Cell& b, FdoDataType type) {
    if (a.null || b.null) return a.null == b.null ? 0 : (a.null ? -1 : 1);
    if (IsInteger(type)) return a.integer == b.integer ? 0 : (a.integer < b.integer ? -1 : 1);
    if (IsReal(type)) return a.real == b.real ? 0 : (a.real < b.real ? -1 : 1);
    if (type == FdoDataType_DateTime) return CompareDates(a.date, b.date);
    if (type == FdoDataType_String) return a.text.compare(b.text);
    return 0;
}

class OrderedReader : public FdoIFeatureReader {
public:
    OrderedReader(FdoClassDefinition* cls, std::vector<Column> columns, std::vector<std::vector<Cell>> rows)
        : m_class(FDO_SAFE_ADDREF(cls)), m_columns(std::move(columns)), m_rows(std::move(rows)) {}

    FdoClassDefinition* GetClassDefinition() override { return FDO_SAFE_ADDREF(m_class.p); }
    FdoInt32 GetDepth() override { return 0; }
    FdoIFeatureReader* GetFeatureObject(FdoString* name) override {
        throw FdoCommandException::Create(
            FdoStringP::Format(L"An ordered select has no object properties ('%ls').", name ? name : L""));
    }
    FdoString* GetPropertyName(FdoInt32 index) override { return Col(index).name; }
    FdoInt32 GetPropertyIndex(FdoString* name) override {
        for (size_t i = 0; i < m_columns.size(); i++)
            if (m_columns[i].name == name) return static_cast<FdoInt32>(i);
        throw FdoCommandException::Create(
            FdoStringP::Format(L"The property '%ls' is not selected.", name ? name : L""));
    }

    bool GetBoolean(FdoString* n) override { return GetBoolean(GetPropertyIndex(n)); }
    FdoByte GetByte(FdoString* n) override { return GetByte(GetPropertyIndex(n)); }
    FdoDateTime GetDateTime(FdoString* n) override { return GetDateTime(GetPropertyIndex(n)); }
    double GetDouble(FdoString* n) override { return GetDouble(GetPropertyIndex(n)); }
    FdoInt16 GetInt16(FdoString* n) override { return GetInt16(GetPropertyIndex(n)); }
    FdoInt32 GetInt32(FdoString* n) override { return GetInt32(GetPropertyIndex(n)); }
    FdoInt64 GetInt64(FdoString* n) override { return GetInt64(GetPropertyIndex(n)); }
    float GetSingle(FdoString* n) override { return GetSingle(GetPropertyIndex(n)); }
    FdoString* GetString(FdoString* n) override { return GetString(GetPropertyIndex(n)); }
    FdoLOBValue* GetLOB(FdoString* n) override { return GetLOB(GetPropertyIndex(n)); }
    FdoIStreamReader* GetLOBStreamReader(FdoString* n) override {
        throw FdoCommandException::Create(
            FdoStringP::Format(L"An ordered select reads large objects whole; use GetLOB ('%ls').", n ? n : L""));
    }
    bool IsNull(FdoString* n) override { return IsNull(GetPropertyIndex(n)); }
    FdoByteArray* GetGeometry(FdoString* n) override { return GetGeometry(GetPropertyIndex(n)); }
    const FdoByte* GetGeometry(FdoString* n, FdoInt32* count) override { return GetGeometry(GetPropertyIndex(n), count); }
    FdoIRaster* GetRaster(FdoString* n) override {
        throw FdoCommandException::Create(FdoStringP::Format(L"'%ls' is not a raster property.", n ? n : L""));
    }

    bool GetBoolean(FdoInt32 i) override { return Value(i).integer != 0; }
    FdoByte GetByte(FdoInt32 i) override { return static_cast<FdoByte>(Value(i).integer); }
    FdoDateTime GetDateTime(FdoInt32 i) override { return Value(i).date; }
    double GetDouble(FdoInt32 i) override { return Value(i).real; }
    FdoInt16 GetInt16(FdoInt32 i) override { return static_cast<FdoInt16>(Value(i).integer); }
    FdoInt32 GetInt32(FdoInt32 i) override { return static_cast<FdoInt32>(Value(i).integer); }
    FdoInt64 GetInt64(FdoInt32 i) override { return Value(i).integer; }
    float GetSingle(FdoInt32 i) override { return static_cast<float>(Value(i).real); }
    FdoString* GetString(FdoInt32 i) override { return Value(i).text.c_str(); }
    FdoLOBValue* GetLOB(FdoInt32 i) override {
        const Cell& c = Value(i);
        FdoPtr<FdoByteArray> bytes = FdoByteArray::Create(c.bytes.data(), static_cast<FdoInt32>(c.bytes.size()));
        return FdoBLOBValue::Create(bytes);
    }
    bool IsNull(FdoInt32 i) override { return Cell_(i).null; }
    FdoByteArray* GetGeometry(FdoInt32 i) override {
        const Cell& c = Value(i);
        return FdoByteArray::Create(c.bytes.data(), static_cast<FdoInt32>(c.bytes.size()));
    }
    const FdoByte* GetGeometry(FdoInt32 i, FdoInt32* count) override {
        const Cell& c = Value(i);
        *count = static_cast<FdoInt32>(c.bytes.size());
        return c.bytes.data();
    }

    bool ReadNext() override {
        if (m_next >= m_rows.size()) return false;
        m_current = m_next++;
        m_onRow = true;
        return true;
    }
    void Close() override { m_rows.clear(); m_next = 0; m_onRow = false; }

protected:
    void Dispose() override { delete this; }

private:
    const Column& Col(FdoInt32 i) const {
        if (i < 0 || static_cast<size_t>(i) >= m_columns.size())
            throw FdoCommandException::Create(L"Item index out of bounds.");
        return m_columns[static_cast<size_t>(i)];
    }
    const Cell& Cell_(FdoInt32 i) const {
        Col(i);
        if (!m_onRow) throw FdoCommandException::Create(L"The reader is not on a row: call ReadNext first.");
        return m_rows[m_current][static_cast<size_t>(i)];
    }
    const Cell& Value(FdoInt32 i) const {
        const Cell& c = Cell_(i);
        if (c.null)
            throw FdoCommandException::Create(FdoStringP::Format(
                L"Property '%ls' of class '%ls' is null; test IsNull first.", static_cast<FdoString*>(Col(i).name),
                m_class->GetName()));
        return c;
    }

    FdoPtr<FdoClassDefinition> m_class;
    std::vector<Column> m_columns;
    std::vector<std::vector<Cell>> m_rows;
    size_t m_next = 0;
    size_t m_current = 0;
    bool m_onRow = false;
};

// The reader's properties: those of its class it answers for.
std::vector<Column> ColumnsOf(FdoIFeatureReader* inner, FdoClassDefinition* cls) {
    std::vector<Column> columns;
    FdoPtr<FdoPropertyDefinitionCollection> props = cls->GetProperties();
    FdoPtr<FdoReadOnlyPropertyDefinitionCollection> base = cls->GetBaseProperties();
    std::vector<FdoPtr<FdoPropertyDefinition>> all;
    for (FdoInt32 i = 0; i < base->GetCount(); i++) all.push_back(base->GetItem(i));
    for (FdoInt32 i = 0; i < props->GetCount(); i++) all.push_back(props->GetItem(i));
    for (auto& p : all) {
        Column c;
        c.name = p->GetName();
        if (auto* data = dynamic_cast<FdoDataPropertyDefinition*>(p.p)) c.type = data->GetDataType();
        else if (dynamic_cast<FdoGeometricPropertyDefinition*>(p.p)) c.geometry = true;
        else continue;
        try {
            inner->GetPropertyIndex(c.name);
        } catch (FdoException* e) {
            e->Release();
            continue;  // not selected
        }
        columns.push_back(c);
    }
    return columns;
}

Cell ReadCell(FdoIFeatureReader* r, const Column& c) {
    Cell cell;
    if (r->IsNull(c.name)) return cell;
    cell.null = false;
    if (c.geometry) {
        FdoInt32 n = 0;
        const FdoByte* bytes = r->GetGeometry(c.name, &n);
        cell.bytes.assign(bytes, bytes + n);
        return cell;
    }
    switch (c.type) {
        case FdoDataType_Boolean: cell.integer = r->GetBoolean(c.name) ? 1 : 0; break;
        case FdoDataType_Byte: cell.integer = r->GetByte(c.name); break;
        case FdoDataType_Int16: cell.integer = r->GetInt16(c.name); break;
        case FdoDataType_Int32: cell.integer = r->GetInt32(c.name); break;
        case FdoDataType_Int64: cell.integer = r->GetInt64(c.name); break;
        case FdoDataType_Single: cell.real = r->GetSingle(c.name); break;
        case FdoDataType_Double:
        case FdoDataType_Decimal: cell.real = r->GetDouble(c.name); break;
        case FdoDataType_DateTime: cell.date = r->GetDateTime(c.name); break;
        case FdoDataType_String: cell.text = r->GetString(c.name); break;
        case FdoDataType_BLOB:
        case FdoDataType_CLOB: {
            FdoPtr<FdoLOBValue> lob = r->GetLOB(c.name);
            FdoPtr<FdoByteArray> data = lob ? lob->GetData() : nullptr;
            if (data) cell.bytes.assign(data->GetData(), data->GetData() + data->GetCount());
            break;
        }
    }
    return cell;
}

}  // namespace

FdoIFeatureReader* FdoCommonOrderedReader::Create(FdoIFeatureReader* inner, FdoIdentifierCollection* ordering,
                                                  FdoOrderingOption option) {
    FdoPtr<FdoClassDefinition> cls = inner->GetClassDefinition();
    std::vector<Column> columns = ColumnsOf(inner, cls);
    std::vector<size_t> keys;
    for (FdoInt32 i = 0; i < ordering->GetCount(); i++) {
        FdoPtr<FdoIdentifier> id = ordering->GetItem(i);
        FdoString* name = id->GetName();
        size_t k = 0;
        while (k < columns.size() && columns[k].name != name) k++;
        if (k == columns.size())
            throw FdoCommandException::Create(FdoStringP::Format(
                L"Cannot order by '%ls': it is not a selected property of class '%ls'.", name, cls->GetName()));
        if (columns[k].geometry || columns[k].type == FdoDataType_BLOB || columns[k].type == FdoDataType_CLOB)
            throw FdoCommandException::Create(FdoStringP::Format(
                L"Cannot order by '%ls': its values have no order.", name));
        keys.push_back(k);
    }
    std::vector<std::vector<Cell>> rows;
    while (inner->ReadNext()) {
        std::vector<Cell> row;
        row.reserve(columns.size());
        for (const Column& c : columns) row.push_back(ReadCell(inner, c));
        rows.push_back(std::move(row));
    }
    inner->Close();
    const bool descending = option == FdoOrderingOption_Descending;
    std::stable_sort(rows.begin(), rows.end(), [&](const std::vector<Cell>& a, const std::vector<Cell>& b) {
        for (size_t k : keys) {
            const int c = Compare(a[k], b[k], columns[k].type);
            if (c != 0) return descending ? c > 0 : c < 0;
        }
        return false;
    });
    return new OrderedReader(cls, std::move(columns), std::move(rows));
}
