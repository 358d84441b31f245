// CAboutDlg: the small modal About box: the program icon, the version line
// "Geoxfer Version 0.7.7" and "OK".
#pragma once

#include <QDialog>

class CAboutDlg : public QDialog {
public:
    explicit CAboutDlg(QWidget* parent);
};
