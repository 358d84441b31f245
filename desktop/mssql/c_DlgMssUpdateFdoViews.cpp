#include "mssql/c_DlgMssUpdateFdoViews.h"

#include "mssql/MssFdoClassRow.h"

#include <GeoxferApi/MssNorvFdoClassData.h>

namespace {
QList<c_FormField> Fields() {
    return {{QStringLiteral("FDO Schema:")},
            {QStringLiteral("FDO Class Name:")},
            {QStringLiteral("Schema:"), false, QStringLiteral("Enter Scahema Name and Table/View Name.")},
            {QStringLiteral("Name:")},
            {QStringLiteral("Geometry Column:")},
            {QStringLiteral("Geometry Table Schema:"), false,
             QStringLiteral("Enter Schema Name and Table Name of Geometry Table on which View is based.")},
            {QStringLiteral("Table Name:")},
            {QStringLiteral("Layer Geometry Type:"), true, QStringLiteral("Enter Layer type to be set or leave blank")},
            {QStringLiteral("Identity Columns (Primary Key):"), false,
             QStringLiteral("Enter Columns used for identity or leave blank")}};
}
}  // namespace

c_DlgMssUpdateFdoViews::c_DlgMssUpdateFdoViews(QWidget* parent, const QString& className,
                                               c_MssNorvFdoClassData* record)
    : c_DlgFdoViewsFields(parent, Fields()), m_entered(new c_MssNorvFdoClassData()) {
    if (!className.isEmpty() && record) SetValues(MssFdoClassFields(*record));
}

c_DlgMssUpdateFdoViews::~c_DlgMssUpdateFdoViews() = default;

void c_DlgMssUpdateFdoViews::accept() {
    m_entered = MssFdoClassRecordFromFields(Values());
    c_DlgFdoViewsFields::accept();
}
