// c_DlgFdoSdfCreate: the "Create Empty SDF" pane under "FDO Utilites": a
// file name, typed or picked, and "Create SDF file", which makes an empty
// SDF file there. An existing file is never replaced.
#pragma once

#include "app/c_DlgPane.h"

class QLineEdit;

class c_DlgFdoSdfCreate : public c_DlgPane {
public:
    c_DlgFdoSdfCreate(CMaprailApp& app, QWidget* parent);

    QLineEdit* FileField() const { return m_file; }
    void BrowseForFile();
    void CreateSdfFile();

private:
    QLineEdit* m_file;
};
