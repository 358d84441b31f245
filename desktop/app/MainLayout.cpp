#include "app/MainLayout.h"

#include <algorithm>

c_MainLayout ComputeMainLayout(QSize client, int selectorHeightLimit) {
    const int w = client.width();
    const int h = client.height();
    c_MainLayout layout;
    layout.tree = QRect(10, 10, 160, h - 20);
    const int left = layout.tree.x() + layout.tree.width() + 10;
    const int width = w - layout.tree.width() - 120;
    const int paneHeight = h - 70;
    if (selectorHeightLimit > 0) {
        const int selectorHeight = std::min(paneHeight, selectorHeightLimit);
        layout.selector = QRect(left, 10, width, selectorHeight);
        layout.tool = QRect(left, layout.selector.y() + selectorHeight + 10, width, h - selectorHeight - 70);
    } else {
        layout.tool = QRect(left, 10, width, paneHeight);
    }
    const int treeBottom = layout.tree.y() + layout.tree.height();
    layout.status = QRect(left, treeBottom - 30, width, 30);
    // The buttons take what is left right of the panes.
    layout.buttons = QRect(left + width + 10, 10, w - (left + width + 10) - 10, h - 20);
    return layout;
}

QSize AcceptedMainSize(QSize former, QSize requested) {
    if (requested.width() < kMainMinWidth || requested.height() < kMainMinHeight) return former;
    return requested;
}
