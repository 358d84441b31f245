// The conversion of a feature into a row, and the plain feed that converts
// on the caller's thread. Columns are bound to their reader positions on
// the first feature, so no name is looked up per value; data values go
// through the engine's one value conversion, geometry passes as the
// reader's FGF bytes.
#include "transfer/RowFeed.h"

#include "transfer/ReadAheadFeed.h"
#include "transfer/ValueConversion.h"

#include <algorithm>

namespace gxf {

namespace {

// What a value is taken to hold, to bound how much the read-ahead keeps.
constexpr size_t kValueOverhead = 32;

FdoLiteralValue* ConvertColumn(FdoIFeatureReader* reader, FdoInt32 index, const FeedColumn& column,
                               size_t& bytes) {
    if (!column.geometry) {
        FdoDataValue* value = ReadDataValueAt(reader, index, column.sourceType, column.destType);
        if (value && !value->IsNull()) {
            if (column.destType == FdoDataType_BLOB || column.destType == FdoDataType_CLOB) {
                FdoPtr<FdoByteArray> data = static_cast<FdoLOBValue*>(value)->GetData();
                if (data) bytes += static_cast<size_t>(data->GetCount());
            }
        }
        return value;
    }
    // A feature without a shape is copied without one.
    if (reader->IsNull(index)) return FdoGeometryValue::Create();
    FdoPtr<FdoByteArray> fgf = reader->GetGeometry(index);
    if (fgf) bytes += static_cast<size_t>(fgf->GetCount());
    return FdoGeometryValue::Create(fgf);
}

class PlainFeed : public RowFeed {
public:
    // At least one slot, so that a row of no values is still a row.
    PlainFeed(FdoIFeatureReader* reader, RowConversion& conversion)
        : m_reader(FDO_SAFE_ADDREF(reader)), m_conversion(conversion), m_row(std::max<size_t>(1, conversion.Width())) {}

    const FdoPtr<FdoLiteralValue>* Next() override {
        if (!m_reader->ReadNext()) return nullptr;
        m_current = m_row.data();
        m_conversion.Convert(m_reader, m_row.data());
        return m_current;
    }

private:
    FdoPtr<FdoIFeatureReader> m_reader;
    RowConversion& m_conversion;
    std::vector<FdoPtr<FdoLiteralValue>> m_row;
};

}  // namespace

size_t RowConversion::Convert(FdoIFeatureReader* reader, FdoPtr<FdoLiteralValue>* row) {
    if (m_index.size() != m_columns.size()) Bind(reader);
    size_t bytes = 0;
    for (size_t i = 0; i < m_columns.size(); i++) {
        bytes += kValueOverhead;
        const FeedColumn& column = m_columns[i];
        if (m_index[i] < 0) {
            row[i] = nullptr;
            continue;
        }
        if (!column.quiet) {
            row[i] = ConvertColumn(reader, m_index[i], column, bytes);
            continue;
        }
        try {
            row[i] = ConvertColumn(reader, m_index[i], column, bytes);
        } catch (FdoException* e) {
            e->Release();
            row[i] = nullptr;
        }
    }
    return bytes;
}

void RowConversion::Bind(FdoIFeatureReader* reader) {
    m_index.clear();
    for (const FeedColumn& column : m_columns) {
        if (!column.quiet) {
            m_index.push_back(reader->GetPropertyIndex(column.sourceName));
            continue;
        }
        try {
            m_index.push_back(reader->GetPropertyIndex(column.sourceName));
        } catch (FdoException* e) {
            e->Release();
            m_index.push_back(-1);  // never read: always null
        }
    }
}

std::unique_ptr<RowFeed> MakeRowFeed(FdoIFeatureReader* reader, RowConversion& conversion, bool readAhead) {
    if (readAhead) return MakeReadAheadFeed(reader, conversion);
    return std::make_unique<PlainFeed>(reader, conversion);
}

}  // namespace gxf
