#include "oracle/c_DlgOraUpdateFdoViews.h"

#include "oracle/OraFdoClassRow.h"

#include <GeoxferApi/OraNorvFdoClassData.h>

namespace {
QList<c_FormField> Fields() {
    return {{QStringLiteral("FDO Class Name:")},
            {QStringLiteral("Oracle Owner:"), false,
             QStringLiteral("Enter Owner and Name of the Table/View which holds the data.")},
            {QStringLiteral("Name:")},
            {QStringLiteral("Geometry Column:")},
            {QStringLiteral("Spatail Table Owner:"), false,
             QStringLiteral("Enter the Spatial Table from which SRID, dimensions and extent are read.")},
            {QStringLiteral("Table Name:")},
            {QStringLiteral("Geometry Column:")},
            {QStringLiteral("Point Class  X Column:"), false,
             QStringLiteral("Enter the X, Y and Z columns of a point class or leave blank.")},
            {QStringLiteral("Y Column:")},
            {QStringLiteral("Z Column:")},
            {QStringLiteral("Layer Geometry Type:"), true, QStringLiteral("Enter Layer type to be set or leave blank")},
            {QStringLiteral("Identity Columns (Primary Key):"), false,
             QStringLiteral("Enter Columns used for identity or leave blank")},
            {QStringLiteral("Oracle Sequence:")}};
}
}  // namespace

c_DlgOraUpdateFdoViews::c_DlgOraUpdateFdoViews(QWidget* parent, const QString& className,
                                               c_OraNorvFdoClassData* record)
    : c_DlgFdoViewsFields(parent, Fields()), m_entered(new c_OraNorvFdoClassData()) {
    if (!className.isEmpty() && record) SetValues(OraFdoClassCells(*record));
}

c_DlgOraUpdateFdoViews::~c_DlgOraUpdateFdoViews() = default;

void c_DlgOraUpdateFdoViews::accept() {
    m_entered = OraFdoClassRecord(Values());
    c_DlgFdoViewsFields::accept();
}
