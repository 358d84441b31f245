#include "app/c_DlgPendingPane.h"

#include <QLabel>
#include <QVBoxLayout>

c_DlgPendingPane::c_DlgPendingPane(CMaprailApp& app, QWidget* parent, const QString& toolLabel,
                                   const QString& paneClass)
    : c_DlgPane(app, parent), m_paneClass(paneClass) {
    auto* title = new QLabel(QStringLiteral("<b>%1</b>").arg(toolLabel.toHtmlEscaped()), this);
    auto* note = new QLabel(QStringLiteral("This tool is not available yet."), this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(note);
    layout->addStretch();
}
