// c_DlgOraUpdateFdoViews: the Oracle "NorvFdoClass" dialog: one row of the
// class-mapping table — the FDO class name; the table or view that holds
// the data; the spatial table from which the provider reads SRID,
// dimensions and extent; the point columns; the layer geometry type; the
// identity columns and the sequence. OK copies every field into the
// dialog's own new record.
#pragma once

#include "dbtoolbox/c_DlgFdoViewsFields.h"

#include <Fdo/Common/Ptr.h>

class c_OraNorvFdoClassData;

class c_DlgOraUpdateFdoViews : public c_DlgFdoViewsFields {
public:
    // className empty and record null: a new row.
    c_DlgOraUpdateFdoViews(QWidget* parent, const QString& className, c_OraNorvFdoClassData* record);
    ~c_DlgOraUpdateFdoViews() override;

    // The entered record (valid after OK).
    c_OraNorvFdoClassData* Record() const { return m_entered.p; }

    void accept() override;

private:
    FdoPtr<c_OraNorvFdoClassData> m_entered;
};
