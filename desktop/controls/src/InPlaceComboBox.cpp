#include "InPlaceComboBox.h"

namespace GxfControls {

InPlaceComboBox::InPlaceComboBox(QWidget* parent) : QComboBox(parent)
{
    // Typed text must never be added to the list as a side effect of Enter.
    setInsertPolicy(QComboBox::NoInsert);
    connect(this, &QComboBox::activated, this, [this] {
        if (m_popupJustClosed) {
            m_popupJustClosed = false;
            emit choicePicked();
        }
    });
}

void InPlaceComboBox::showPopup()
{
    m_popupJustClosed = false;
    QComboBox::showPopup();
}

void InPlaceComboBox::hidePopup()
{
    m_popupJustClosed = true;
    QComboBox::hidePopup();
}

void InPlaceComboBox::keyPressEvent(QKeyEvent* event)
{
    m_popupJustClosed = false;
    QComboBox::keyPressEvent(event);
}

void InPlaceComboBox::wheelEvent(QWheelEvent* event)
{
    m_popupJustClosed = false;
    QComboBox::wheelEvent(event);
}

} // namespace GxfControls
