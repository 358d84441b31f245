// What the FDO source and Oracle toolbox panes make of the texts a user
// types, and the texts they show, kept apart from the widgets so each
// rule is tested on its own: the query pane's row range and ordering, the
// performance pane's loop number, the schema pane's identity cell, and the
// primary key pane's query and default key name.
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace ToolboxInput {

// Rows numbered from 1 are shown from First to Last, both included.
struct RowRange {
    long first = 0;
    long last = 100000;
    bool Shows(long number) const { return number >= first && number <= last; }
    bool Done(long number) const { return number >= last; }  // after showing number
};
// A field counts only when its whole text is a decimal whole number below
// 100000; an empty field counts as 0 (so an empty "To:" reads no rows).
RowRange ParseRowRange(const QString& from, const QString& to);

// "Order By:" split at "," into property names, blanks around each removed,
// empty pieces dropped.
QStringList SplitOrderBy(const QString& text);

// The test loop number: the whole text a decimal whole number from 1 to
// 100000, else nothing (the pane then shows its error).
std::optional<long> ParseLoopNumber(const QString& text);
inline constexpr const char* kLoopNumberError = "Error Test Loop Number! Invalid number!";

// The schema pane's "Identity" cell: each name followed by " ; ", or
// "No identity".
QString IdentityText(const QStringList& names);

// The primary key pane's listing: the statement and, for a schema, the
// value bound to parameter "1" (the schema upper-cased).
struct SqlWithParameter {
    QString sql;
    std::optional<QString> parameter1;
};
SqlWithParameter PrimaryKeyListing(const QString& schema);

// The key name offered for a table that has none.
QString DefaultPrimaryKeyName(const QString& table);

}  // namespace ToolboxInput
