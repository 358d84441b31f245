// The layout rules of the main window as a function of its client size, so
// tests check them without a screen. All values are pixels of the client
// area.
#pragma once

#include <QRect>
#include <QSize>

struct c_MainLayout {
    QRect tree;
    QRect selector;  // empty without a selector
    QRect tool;
    QRect status;
    QRect buttons;  // the column the buttons stand in
};

// selectorHeightLimit 0: no selector pane.
c_MainLayout ComputeMainLayout(QSize client, int selectorHeightLimit);

// The smallest size the main window accepts.
constexpr int kMainMinWidth = 700;
constexpr int kMainMinHeight = 400;

// The size the window keeps when asked to take requested: a request below
// the minimum in either direction is refused as a whole.
QSize AcceptedMainSize(QSize former, QSize requested);
