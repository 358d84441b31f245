#include "PropertyInfoPane.h"

#include <QLabel>
#include <QVBoxLayout>

namespace GxfControls {

namespace {

QLabel* plainLabel(QWidget* parent, const char* name)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

} // namespace

PropertyInfoPane::PropertyInfoPane(QWidget* parent)
    : QFrame(parent), m_title(plainLabel(this, "propertyInfoTitle")), m_text(plainLabel(this, "propertyInfoText"))
{
    setObjectName(QStringLiteral("propertyInfoPane"));
    setFrameShape(QFrame::StyledPanel);
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->addWidget(m_title);
    layout->addWidget(m_text, 1);
    // Room for the label and three lines of help without resizing.
    setMinimumHeight(fontMetrics().lineSpacing() * 5 + 8);
}

void PropertyInfoPane::describe(const QString& title, const QString& text)
{
    m_title->setText(title);
    m_text->setText(text);
}

QString PropertyInfoPane::title() const
{
    return m_title->text();
}

QString PropertyInfoPane::text() const
{
    return m_text->text();
}

} // namespace GxfControls
