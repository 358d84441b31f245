#include "oracle/MetadataInput.h"

#include "dbtoolbox/DbText.h"

#include <cmath>
#include <cstdint>

namespace {

std::optional<double> Number(const QString& text) {
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return value;
}

// The value at six significant digits, stepped once to the neighbouring
// six-digit value when "%g" rounded it the wrong way.
QString Rounded(double value, bool down) {
    const QString text = FormatG(value);
    const double shown = text.toDouble();
    if (!std::isfinite(value) || (down ? shown <= value : shown >= value)) return text;
    const double step = std::pow(10.0, std::floor(std::log10(std::fabs(shown))) - 5);
    return FormatG(down ? shown - step : shown + step);
}

}  // namespace

c_MetadataInput ParseMetadataInput(const QList<QStringList>& rows, const QString& sridText) {
    c_MetadataInput input;
    for (const QStringList& row : rows) {
        if (row.value(0).isEmpty()) break;
        const std::optional<double> lower = Number(row.value(1));
        if (!lower) return {{}, 0, QStringLiteral("Error Lower Bound! Invalid number!")};
        const std::optional<double> upper = Number(row.value(2));
        if (!upper) return {{}, 0, QStringLiteral("Error Upper Bound! Invalid number!")};
        if (*upper <= *lower)
            return {{}, 0, QStringLiteral("Error Bounds! Lower bound should be smaller than upper bound!")};
        const std::optional<double> tolerance = Number(row.value(3));
        if (!tolerance) return {{}, 0, QStringLiteral("Error Tolerance! Invalid number!")};
        if (*tolerance < 0) return {{}, 0, QStringLiteral("Invalid Tolerance value! ")};
        input.dimensions.append({row.value(0), *lower, *upper, *tolerance});
    }
    if (input.dimensions.isEmpty())
        return {{}, 0, QStringLiteral("Error: SDO Metadata needs at least one dimension!")};

    const QString srid = sridText.trimmed();
    if (srid == QStringLiteral("NULL") || srid.isEmpty()) return input;
    bool ok = false;
    const qlonglong value = srid.toLongLong(&ok, 10);
    if (!ok || value > INT32_MAX || value < INT32_MIN) return {{}, 0, QStringLiteral("Error SRID! Invalid number!")};
    if (value < 0) return {{}, 0, QStringLiteral("Invalid SRID value!")};
    input.srid = static_cast<long>(value);
    return input;
}

QString LowerBoundText(double minimum) { return Rounded(minimum, true); }
QString UpperBoundText(double maximum) { return Rounded(maximum, false); }
