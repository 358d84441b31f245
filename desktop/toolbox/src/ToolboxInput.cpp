#include <GeoxferToolbox/ToolboxInput.h>

namespace ToolboxInput {

namespace {

// Decimal digits only (no sign, no blanks); empty is 0. Nothing when the
// text is not such a number or is too long to be below the limit.
std::optional<long> WholeNumber(const QString& text)
{
    if (text.isEmpty()) return 0;
    if (text.size() > 9) return std::nullopt;
    long value = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9') return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

}  // namespace

RowRange ParseRowRange(const QString& from, const QString& to)
{
    RowRange range;
    if (auto v = WholeNumber(from); v && *v < 100000) range.first = *v;
    if (auto v = WholeNumber(to); v && *v < 100000) range.last = *v;
    return range;
}

QStringList SplitOrderBy(const QString& text)
{
    QStringList names;
    for (const QString& piece : text.split(u','))
        if (QString name = piece.trimmed(); !name.isEmpty()) names.append(name);
    return names;
}

std::optional<long> ParseLoopNumber(const QString& text)
{
    if (text.isEmpty()) return std::nullopt;
    auto v = WholeNumber(text);
    if (!v || *v < 1 || *v > 100000) return std::nullopt;
    return v;
}

QString IdentityText(const QStringList& names)
{
    if (names.isEmpty()) return QStringLiteral("No identity");
    QString text;
    for (const QString& name : names) text += name + QStringLiteral(" ; ");
    return text;
}

SqlWithParameter PrimaryKeyListing(const QString& schema)
{
    static const QString head = QStringLiteral(
        " select a.owner, a.table_name, a.column_name, b.constraint_name  from all_sdo_geom_metadata a "
        " LEFT JOIN ALL_CONSTRAINTS b ON  a.owner = b.owner AND a.table_name=b.table_name AND b.constraint_type = 'P' ");
    static const QString order = QStringLiteral("order by a.owner, a.table_name ");
    // The schema is bound, never pasted: whatever is typed in the
    // connection's OracleSchema cannot change the statement.
    if (schema.isEmpty()) return {head + order, std::nullopt};
    return {head + QStringLiteral("where a.owner = :1  ") + order, schema.toUpper()};
}

QString DefaultPrimaryKeyName(const QString& table)
{
    return table + QStringLiteral("_PK");
}

}  // namespace ToolboxInput
