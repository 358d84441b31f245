// One express copy run, as the engine sees it: make the default copy task
// for the source, point it at the destination, make the extra setting, run
// it under a monitor that reports progress and can stop it. Runs on the
// worker thread of the progress dialog: it touches no widget and reads the
// engine's last error text on its own thread (the text is kept per thread).
#pragma once

#include "express/ExpressTable.h"

#include <QString>

class c_WorkProgress;

struct c_ExpressRequest {
    QString sourceProvider;
    QString sourceConnString;
    QString destProvider;
    QString destConnString;
    e_Extra extra = e_Extra::None;
    int srid = 0;  // for SridFromField and SridZero
};

struct c_ExpressOutcome {
    int resultCode = 0;  // 0 success, GXF_Result_CopyCancelled after Cancel
    long count = 0;      // features copied (so far, when cancelled)
    QString error;       // the engine's last error text on failure
};

c_ExpressOutcome RunExpressCopy(const c_ExpressRequest& request, c_WorkProgress& progress);
