#include "schema/c_DlgFdoUtilSchemaManager.h"

#include "schema/c_DlgFdoSchemaManager.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The lines are joined with CR LF, as the text was written for.
QString SchemaManagerHelp() {
    const char* const lines[] = {
        "With Schema Manager you can create and manage FDO Schema.",
        "You can read FDO Schema from FDO Source, change it and apply against another FDO Source.",
        "",
        "With FDO Schema Manager you can: ",
        "- Add, Update, Delete FDO Schema",
        "- Add, Update, Delete FDO Class",
        "- Edit Class Attributes",
        "- Add, Update, Delete Class Property",
        "- Edit Property Attributes",
        "- Read Schema from XML or FDO Source",
        "- Write Schema to XML or FDO Source",
    };
    QStringList text;
    for (const char* line : lines) text.append(QString::fromUtf8(line));
    return text.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

}  // namespace

c_DlgFdoUtilSchemaManager::c_DlgFdoUtilSchemaManager(CMaprailApp& app, QWidget* parent)
    : c_DlgPane(app, parent), m_text(new QPlainTextEdit(this)) {
    m_text->setReadOnly(true);
    auto* button = new QPushButton(QStringLiteral("Click To Open Schema Manager Dialog"), this);
    connect(button, &QPushButton::clicked, this, [this] { OpenManager(); });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_text, 1);
    layout->addWidget(button, 0, Qt::AlignLeft);
}

void c_DlgFdoUtilSchemaManager::OnActivate() {
    if (!m_help.isEmpty()) return;
    m_help = SchemaManagerHelp();
    m_text->setPlainText(m_help);
}

c_DlgFdoSchemaManager* c_DlgFdoUtilSchemaManager::OpenManager() {
    c_DlgFdoSchemaManager* manager = c_DlgFdoSchemaManager::Open(App(), window());
    m_windows.append(manager);
    return manager;
}

QList<c_DlgFdoSchemaManager*> c_DlgFdoUtilSchemaManager::OpenWindows() const {
    QList<c_DlgFdoSchemaManager*> open;
    for (const auto& window : m_windows)
        if (window) open.append(window.data());
    return open;
}
