// c_DlgFdoPerfomance: the "Test Perfomance" pane, under the connection and
// class selector. It reads the selected class the given number of times
// ("Run Select Command": every property; "Query Geometry and Identity":
// identity and geometry only) behind the progress dialog, whose Cancel
// stops the test between runs, and shows the features read and the time
// per run, and beside it the rate in features per second.
#pragma once

#include "app/c_DlgPane.h"

class c_DlgFdoSelClass;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

class c_DlgFdoPerfomance : public c_DlgPane {
public:
    c_DlgFdoPerfomance(CMaprailApp& app, QWidget* parent, c_DlgFdoSelClass& selector);

    QPlainTextEdit* FilterField() const { return m_filter; }
    QLineEdit* LoopField() const { return m_loops; }
    // Results of "Run Select Command" (0) and "Query Geometry and Identity" (1).
    QLabel* ResultText(int button) const { return m_result[button]; }
    QLabel* RateText(int button) const { return m_rate[button]; }

    void RunSelectCommand() { RunTest(0); }
    void QueryGeometryAndIdentity() { RunTest(1); }

private:
    void RunTest(int button);

    c_DlgFdoSelClass& m_selector;
    QPlainTextEdit* m_filter;
    QLineEdit* m_loops;
    QLabel* m_result[2];
    QLabel* m_rate[2];
};
