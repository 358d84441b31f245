// The SQL command; see NorvSqlCommand.h.
#include "NorvSqlCommand.h"

#include "NorvSqlDataReader.h"
#include "NorvValues.h"

namespace norvdb {

SqlBindings NorvSqlCommand::Bindings() {
    SqlBindings out;
    for (FdoInt32 i = 0; i < m_parameters->GetCount(); i++) {
        FdoPtr<FdoParameterValue> p = m_parameters->GetItem(i);
        FdoPtr<FdoLiteralValue> v = p->GetValue();
        std::string name = FdoStringP::Utf8FromUnicode(p->GetName());
        if (!name.empty() && name[0] == ':') name.erase(0, 1);
        out.emplace_back(name, NorvValues::FromLiteral(v, std::nullopt, p->GetName()));
    }
    return out;
}

FdoInt32 NorvSqlCommand::ExecuteNonQuery() {
    if (m_sql.IsEmpty()) throw FdoCommandException::Create(L"The SQL command has no statement.");
    NorvDatabase& db = m_connection->Database();
    return db.Execute(FdoStringP::Utf8FromUnicode(m_sql), Bindings(), nullptr);
}

FdoISQLDataReader* NorvSqlCommand::ExecuteReader() {
    if (m_sql.IsEmpty()) throw FdoCommandException::Create(L"The SQL command has no statement.");
    NorvDatabase& db = m_connection->Database();
    std::unique_ptr<Statement> rows;
    db.Execute(FdoStringP::Utf8FromUnicode(m_sql), Bindings(), &rows);
    if (!rows) rows = db.Prepare("SELECT 1 WHERE 0");
    return NorvSqlDataReader::Create(m_connection.p, std::move(rows));
}

}  // namespace norvdb
