// The execution step and the quoting rules shared by the database tools.
#include "dbtools/SqlText.h"

#include <charconv>
#include <cwctype>
#include <string>

namespace gxf::dbtools {

bool IsBlank(FdoString* text) { return !text || !*text; }

FdoStringP QuoteText(FdoString* text) {
    std::wstring out;
    for (const wchar_t* p = text ? text : L""; *p; ++p) {
        out += *p;
        if (*p == L'\'') out += L'\'';
    }
    return FdoStringP(out);
}

namespace {

bool IsPlainChar(wchar_t c) { return std::iswalnum(c) || c == L'_' || c == L'$' || c == L'#'; }

// Length of the identifier part starting at p, or 0 when none starts there.
size_t PartLength(const wchar_t* p) {
    if (*p == L'"' || *p == L'[') {
        wchar_t close = *p == L'"' ? L'"' : L']';
        size_t n = 1;
        while (p[n] && p[n] != close) {
            if (p[n] == L'\'' || p[n] == L';' || std::iswcntrl(p[n])) return 0;
            n++;
        }
        return (p[n] == close && n > 1) ? n + 1 : 0;
    }
    size_t n = 0;
    while (p[n] && IsPlainChar(p[n])) n++;
    return n;
}

bool IsName(FdoString* name, bool qualified) {
    if (IsBlank(name)) return false;
    const wchar_t* p = name;
    for (;;) {
        size_t n = PartLength(p);
        if (n == 0) return false;
        p += n;
        if (!*p) return true;
        if (*p != L'.' || !qualified) return false;
        ++p;
    }
}

}  // namespace

FdoStringP CheckName(FdoString* name, bool qualified) {
    if (!IsName(name, qualified))
        throw FdoException::Create(FdoStringP::Format(
            L"'%ls' is not a plain database name; names are put into the statement unquoted and may hold only "
            L"letters, digits, '_', '$' and '#'",
            name ? name : L""));
    return FdoStringP(name);
}

namespace {

FdoISQLCommand* Prepare(FdoIConnection* conn, FdoString* sql, std::initializer_list<FdoString*> params) {
    if (!conn) throw FdoException::Create(L"No connection to send the statement through");
    FdoPtr<FdoICommand> created = conn->CreateCommand(FdoCommandType_SQLCommand);
    FdoPtr<FdoISQLCommand> command = FDO_SAFE_ADDREF(dynamic_cast<FdoISQLCommand*>(created.p));
    if (!command) throw FdoException::Create(L"The connection made no SQL command");
    command->SetSQLStatement(sql);
    if (params.size() > 0) {
        FdoPtr<FdoParameterValueCollection> values = command->GetParameterValues();
        if (values) {
            int number = 1;
            for (FdoString* p : params) {
                FdoPtr<FdoDataValue> value = FdoDataValue::Create(p);
                FdoPtr<FdoParameterValue> parameter =
                    FdoParameterValue::Create(FdoStringP::Format(L"%d", number++), value);
                values->Add(parameter);
            }
        }
    }
    return FDO_SAFE_ADDREF(command.p);
}

}  // namespace

FdoInt32 ExecuteNonQuery(FdoIConnection* conn, FdoString* sql, std::initializer_list<FdoString*> params) {
    FdoPtr<FdoISQLCommand> command = Prepare(conn, sql, params);
    return command->ExecuteNonQuery();
}

FdoISQLDataReader* ExecuteReader(FdoIConnection* conn, FdoString* sql, std::initializer_list<FdoString*> params) {
    FdoPtr<FdoISQLCommand> command = Prepare(conn, sql, params);
    return command->ExecuteReader();
}

namespace {

// The reader's own spelling of the column.
FdoStringP ColumnOf(FdoISQLDataReader* reader, FdoString* column) {
    FdoInt32 count = reader->GetColumnCount();
    for (FdoInt32 i = 0; i < count; i++) {
        FdoStringP name = reader->GetColumnName(i);
        if (name == column) return name;
    }
    for (FdoInt32 i = 0; i < count; i++) {
        FdoStringP name = reader->GetColumnName(i);
        if (name.ICompare(column) == 0) return name;
    }
    return FdoStringP(column);  // let the reader report the missing column
}

double NumberOf(FdoISQLDataReader* reader, const FdoStringP& c) {
    switch (reader->GetColumnType(c)) {
        case FdoDataType_Byte: return reader->GetByte(c);
        case FdoDataType_Int16: return reader->GetInt16(c);
        case FdoDataType_Int32: return reader->GetInt32(c);
        case FdoDataType_Int64: return static_cast<double>(reader->GetInt64(c));
        case FdoDataType_Single: return reader->GetSingle(c);
        case FdoDataType_Boolean: return reader->GetBoolean(c) ? 1 : 0;
        case FdoDataType_String: return FdoStringP(reader->GetString(c)).ToDouble();
        default: return reader->GetDouble(c);  // Double, Decimal
    }
}

}  // namespace

FdoStringP ReadString(FdoISQLDataReader* reader, FdoString* column) {
    FdoStringP c = ColumnOf(reader, column);
    if (reader->IsNull(c)) return FdoStringP();
    return FdoStringP(reader->GetString(c));
}

bool ReadIsNull(FdoISQLDataReader* reader, FdoString* column) { return reader->IsNull(ColumnOf(reader, column)); }

FdoInt32 ReadInt32(FdoISQLDataReader* reader, FdoString* column) {
    FdoStringP c = ColumnOf(reader, column);
    if (reader->GetColumnType(c) == FdoDataType_Int32) return reader->GetInt32(c);
    return static_cast<FdoInt32>(NumberOf(reader, c));
}

double ReadDouble(FdoISQLDataReader* reader, FdoString* column) {
    return NumberOf(reader, ColumnOf(reader, column));
}

int AppendRowStrings(FdoISQLDataReader* reader, std::initializer_list<FdoString*> columns, FdoStringCollection* result) {
    int count = 0;
    while (reader->ReadNext()) {
        for (FdoString* c : columns)
            if (result) result->Add(ReadString(reader, c));
        count++;
    }
    reader->Close();
    return count;
}

FdoStringP FormatG(double value) {
    char text[64];
    auto [end, ec] = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 6);
    if (ec != std::errc()) return FdoStringP(L"0");
    return FdoStringP(std::string(text, end).c_str());
}

}  // namespace gxf::dbtools
