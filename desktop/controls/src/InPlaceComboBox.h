// The drop-down used as an in-place editor. It tells a pick from its list
// (which should commit at once) apart from stepping through the choices
// with the arrow keys or the wheel (which should not: the user may still be
// on the way to the choice they want). QComboBox reports both as
// "activated"; only a pick closes the popup just before it.
#pragma once

#include <QComboBox>

namespace GxfControls {

class InPlaceComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit InPlaceComboBox(QWidget* parent);

    void showPopup() override;
    void hidePopup() override;

signals:
    void choicePicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    bool m_popupJustClosed = false;
};

} // namespace GxfControls
