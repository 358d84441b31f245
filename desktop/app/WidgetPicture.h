// A PNG of a widget as it is painted on screen, for the screenshot tour:
// the widget is shown and given a moment for layout and painting to settle
// before it is grabbed.
#pragma once

#include <QString>

class QWidget;

bool SaveWidgetPicture(QWidget& widget, const QString& path);
