#include "source/c_DlgFdoPerfomance.h"

#include "app/CMaprailApp.h"
#include "connections/c_DlgFdoSelClass.h"
#include "source/ReadTestRun.h"
#include "ui/c_UiServices.h"

#include <GeoxferToolbox/ToolboxInput.h>

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

c_DlgFdoPerfomance::c_DlgFdoPerfomance(CMaprailApp& app, QWidget* parent, c_DlgFdoSelClass& selector)
    : c_DlgPane(app, parent), m_selector(selector) {
    m_filter = new QPlainTextEdit(this);
    m_filter->setMaximumHeight(80);
    m_loops = new QLineEdit(this);
    m_loops->setMaximumWidth(90);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Set Filter:"), this), 0, 0, Qt::AlignTop);
    grid->addWidget(m_filter, 0, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Test Loop Number:"), this), 1, 0);
    grid->addWidget(m_loops, 1, 1, Qt::AlignLeft);
    const QString labels[2] = {QStringLiteral("Run Select Command"), QStringLiteral("Query Geometry and Identity")};
    for (int i = 0; i < 2; i++) {
        auto* button = new QPushButton(labels[i], this);
        m_result[i] = new QLabel(QStringLiteral("Click to Start Test"), this);
        m_rate[i] = new QLabel(this);
        grid->addWidget(button, 2 + 2 * i, 0);
        grid->addWidget(m_result[i], 2 + 2 * i, 1, 1, 2);
        grid->addWidget(m_rate[i], 3 + 2 * i, 1, 1, 2);
        connect(button, &QPushButton::clicked, this, [this, i] { RunTest(i); });
    }
    grid->setRowStretch(6, 1);
    grid->setColumnStretch(2, 1);
}

void c_DlgFdoPerfomance::RunTest(int button) {
    c_UiServices& ui = c_UiServices::Get();
    const std::optional<long> loops = ToolboxInput::ParseLoopNumber(m_loops->text());
    if (!loops) {
        ui.Message(this, QString::fromUtf8(ToolboxInput::kLoopNumberError));
        return;
    }
    App().SetStatusText(QString());
    c_ReadTestRequest request;
    request.connectionName = m_selector.GetConnectionName();
    request.className = m_selector.GetClassName();
    request.filter = m_filter->toPlainText().trimmed();
    request.identityAndGeometryOnly = button == 1;
    request.runs = *loops;
    const c_ConnList& list = App().ConnList();
    c_ReadTestOutcome outcome;
    ui.RunLongWork(this, QStringLiteral("Test Perfomance"),
                   [&](c_WorkProgress& progress) { outcome = RunReadTest(list, request, progress); });
    if (outcome.noConnection) {
        ui.Message(this, QStringLiteral("\nUnable to create FDO connection!"));
        return;
    }
    if (!outcome.error.isEmpty()) {
        ui.Message(this, outcome.error);
        return;
    }
    m_result[button]->setText(ReadTestResultText(outcome.features, outcome.secondsPerRun));
    QString rate = ReadTestRateText(outcome.features, outcome.secondsPerRun);
    if (outcome.cancelled)
        rate += QStringLiteral(" (cancelled after %1 of %2 runs)").arg(outcome.runsDone).arg(request.runs);
    m_rate[button]->setText(rate);
}
