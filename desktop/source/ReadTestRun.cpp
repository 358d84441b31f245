#include "source/ReadTestRun.h"

#include "connections/SelectorBoxes.h"
#include "connections/c_ConnList.h"
#include "source/SourceConnection.h"
#include "ui/c_UiServices.h"

#include <GeoxferApi/FDO_Api.h>

#include <Fdo.h>

#include <QLocale>

#include <algorithm>
#include <chrono>

namespace {

// The engine's own bounds on the number of runs of one call; a number
// outside them goes to the engine whole, which refuses it with its message.
constexpr long kEngineMaxRuns = 10000;
constexpr double kRoundSeconds = 0.2;

}  // namespace

c_ReadTestOutcome RunReadTest(const c_ConnList& list, const c_ReadTestRequest& request, c_WorkProgress& progress) {
    c_ReadTestOutcome outcome;
    progress.SetCountWord(QStringLiteral("read"));
    progress.Set(QStringLiteral("Opening %1...").arg(request.connectionName), 0);
    c_SourceConnection connection(list.CreateConnection(request.connectionName));
    if (!connection.Get()) {
        outcome.noConnection = true;
        return outcome;
    }
    const std::wstring className = request.className.toStdWString();
    const std::wstring filter = request.filter.toStdWString();
    try {
        connection.Get()->Open();
        if (c_FDO_Api::GetSupportCommand(connection.Get(), FdoCommandType_DescribeSchema)) {
            FdoPtr<FdoIDescribeSchema> describe =
                static_cast<FdoIDescribeSchema*>(connection.Get()->CreateCommand(FdoCommandType_DescribeSchema));
            FdoPtr<FdoFeatureSchemaCollection> schemas = describe->Execute();
        }
        const bool outOfRange = request.runs < 1 || request.runs > kEngineMaxRuns;
        long round = outOfRange ? request.runs : 1;
        double seconds = 0;
        long featuresRead = 0;
        while (outcome.runsDone < request.runs) {
            round = std::min(round, request.runs - outcome.runsDone);
            const QString item = QStringLiteral("%1: run %2 of %3")
                                     .arg(request.className)
                                     .arg(outcome.runsDone + 1)
                                     .arg(request.runs);
            if (!progress.Report(item, featuresRead)) {
                outcome.cancelled = true;
                break;
            }
            double perRun = 0;
            const auto start = std::chrono::steady_clock::now();
            outcome.features = c_FDO_Api::RunSelectComm(connection.Get(), className.c_str(), filter.c_str(),
                                                        request.identityAndGeometryOnly, round, perRun);
            const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            seconds += perRun * static_cast<double>(round);
            outcome.runsDone += round;
            featuresRead += outcome.features * round;
            // The next round as many runs as fit in the round's time.
            const double wallPerRun = wall / static_cast<double>(round);
            round = wallPerRun > 0 ? std::max(1L, static_cast<long>(kRoundSeconds / wallPerRun)) : round * 10;
        }
        progress.Set(request.className, featuresRead);
        if (outcome.runsDone > 0) outcome.secondsPerRun = seconds / static_cast<double>(outcome.runsDone);
    } catch (FdoException* e) {
        outcome.error = TakeFdoMessage(e);
    }
    return outcome;
}

QString ReadTestResultText(long features, double secondsPerRun) {
    return QString::asprintf("Read: %ld features. Time: %.3lf sec", features, secondsPerRun);
}

QString ReadTestRateText(long features, double secondsPerRun) {
    if (secondsPerRun <= 0) return QStringLiteral("Faster than the clock's resolution (1 ms per run)");
    const QLocale locale(QLocale::English);
    return QStringLiteral("%1 features/s").arg(locale.toString(static_cast<qlonglong>(features / secondsPerRun)));
}
