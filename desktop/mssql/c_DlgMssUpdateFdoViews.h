// c_DlgMssUpdateFdoViews: the SQL Server "NorvFdoClass" dialog: one row of
// the class-mapping table — FDO schema and class name, the table or view
// that holds the data and its geometry column, the geometry table on which
// a view is based, the layer geometry type and the identity columns. OK
// copies every field into the dialog's own new record.
#pragma once

#include "dbtoolbox/c_DlgFdoViewsFields.h"

#include <Fdo/Common/Ptr.h>

class c_MssNorvFdoClassData;

class c_DlgMssUpdateFdoViews : public c_DlgFdoViewsFields {
public:
    // className empty and record null: a new row.
    c_DlgMssUpdateFdoViews(QWidget* parent, const QString& className, c_MssNorvFdoClassData* record);
    ~c_DlgMssUpdateFdoViews() override;

    // The entered record (valid after OK).
    c_MssNorvFdoClassData* Record() const { return m_entered.p; }

    void accept() override;

private:
    FdoPtr<c_MssNorvFdoClassData> m_entered;
};
