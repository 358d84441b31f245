#include "copytask/c_DlgFdoUtilCopyTaskManager.h"

#include "copytask/c_DlgFdoCopyTaskManager.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString CopyTaskManagerHelp() {
    const char* const lines[] = {
        "With Copy Task Manager you can create and manage Copy Task Definition.",
        "Copy Task Definition is a way to define how to copy data from one to another FDO Data Store.",
        "In Copy Task you define what is source, destination and what FDO classes to copy.",
        "Copy Task is written in XML file and can be executes from command line using 'gxfcmd.exe'",
        "",
        "With FDO Copy Task Manager you can: ",
        "- Set Source of copy",
        "- Set Destination",
        "- Select which classes to copy",
        "- Select FDO Class Properties to be copied",
        "- Read Copy Task from XML",
        "- Write Copy Task to XML",
        "- Execute Copy Task",
    };
    QStringList text;
    for (const char* line : lines) text.append(QString::fromUtf8(line));
    return text.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

}  // namespace

c_DlgFdoUtilCopyTaskManager::c_DlgFdoUtilCopyTaskManager(CMaprailApp& app, QWidget* parent)
    : c_DlgPane(app, parent), m_text(new QPlainTextEdit(this)) {
    m_text->setReadOnly(true);
    m_text->setPlainText(CopyTaskManagerHelp());
    auto* button = new QPushButton(QStringLiteral("Click To Open Copy Task Manager Dialog"), this);
    connect(button, &QPushButton::clicked, this, [this] { OpenManager(); });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_text, 1);
    layout->addWidget(button, 0, Qt::AlignLeft);
}

QString c_DlgFdoUtilCopyTaskManager::HelpText() const { return m_text->toPlainText(); }

c_DlgFdoCopyTaskManager* c_DlgFdoUtilCopyTaskManager::OpenManager() {
    auto* manager = new c_DlgFdoCopyTaskManager(App(), window());
    manager->setAttribute(Qt::WA_DeleteOnClose);
    manager->show();
    m_windows.append(manager);
    return manager;
}

QList<c_DlgFdoCopyTaskManager*> c_DlgFdoUtilCopyTaskManager::OpenWindows() const {
    QList<c_DlgFdoCopyTaskManager*> open;
    for (const auto& window : m_windows)
        if (window) open.append(window.data());
    return open;
}
