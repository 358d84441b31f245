// One read performance test behind the progress dialog: the connection is
// made, opened and described, then the engine's read test runs the select
// the number of times asked. The runs go to the engine in rounds of about
// a fifth of a second each, so Cancel stops the test between two rounds;
// the time per run is the engine's time over the runs done. Called on the
// dialog's worker thread: it touches no widget.
#pragma once

#include <QString>

class c_ConnList;
class c_WorkProgress;

struct c_ReadTestRequest {
    QString connectionName;
    QString className;
    QString filter;
    bool identityAndGeometryOnly = false;
    long runs = 1;
};

struct c_ReadTestOutcome {
    bool noConnection = false;  // the list made no connection of that name
    QString error;              // an FDO error's message; empty on success
    long features = 0;          // read by the last run
    double secondsPerRun = 0;
    long runsDone = 0;          // fewer than asked after Cancel
    bool cancelled = false;
};

c_ReadTestOutcome RunReadTest(const c_ConnList& list, const c_ReadTestRequest& request, c_WorkProgress& progress);

// "Read: 49 features. Time: 0.002 sec"
QString ReadTestResultText(long features, double secondsPerRun);
// "24,500 features/s", or the clock's resolution when a run took no time.
QString ReadTestRateText(long features, double secondsPerRun);
