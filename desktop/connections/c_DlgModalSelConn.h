// c_DlgModalSelConn: the modal "Select FDO Connection" dialog — a
// connection selector pane with "OK" and "Cancel". OK makes the chosen
// connection the list's current one (when a name is chosen) and leaves the
// name in SelectedName(); Cancel leaves it empty.
#pragma once

#include <QDialog>

class CMaprailApp;
class c_DlgFdoSelConn;
class QPushButton;

class c_DlgModalSelConn : public QDialog {
public:
    c_DlgModalSelConn(CMaprailApp& app, QWidget* parent);

    const QString& SelectedName() const { return m_name; }
    c_DlgFdoSelConn* Selector() const { return m_selector; }
    void accept() override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    CMaprailApp& m_app;
    c_DlgFdoSelConn* m_selector;
    QPushButton* m_ok;
    QPushButton* m_cancel;
    QString m_name;
};
