// Helpers of the desktop tests: where the sample data is, reading a result
// back through GDAL or FDO, finding controls, and answering a modal dialog
// that a click is about to open.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class GDALDataset;
class QPushButton;
class QWidget;

namespace desktop_test {

// $GEOXFER_SAMPLE_DATA (scripts/sample-data.sh), or its default cache folder.
QString SampleData(const QString& relative);

// A vector data set opened read-only through GDAL; null when it cannot be.
struct GdalDatasetCloser {
    void operator()(GDALDataset* ds) const;
};
using GdalDataset = std::unique_ptr<GDALDataset, GdalDatasetCloser>;
GdalDataset OpenGdal(const QString& path);

// Through GDAL: features of a layer (-1 when the file or layer cannot be
// opened), its layer names, and one field's values sorted as text.
long GdalCount(const QString& path, const QString& layer);
QStringList GdalLayers(const QString& path);
QStringList GdalValues(const QString& path, const QString& layer, const QString& field);

// Writes a shape file of count points (a grid) with an integer and a text
// attribute; false when GDAL cannot.
bool WritePointShapes(const QString& path, long count);

// Through FDO: features of a class (-1 when the connection does not open).
long FdoCount(const QString& provider, const QString& connString, const QString& className);
// Qualified names of the classes of a data store.
QStringList FdoClasses(const QString& provider, const QString& connString);

// The first push button under the widget with that text, or null.
QPushButton* Button(QWidget* parent, const QString& text);

// Runs act on the next modal dialog to open (polled after the current event
// handling returns); the test then triggers what opens it.
void WhenModalOpens(std::function<void(QWidget* modal)> act);

}  // namespace desktop_test

#define SAMPLE_OR_SKIP(relative)                                                                        \
    do {                                                                                                \
        if (!QFileInfo::exists(desktop_test::SampleData(relative)))                                     \
            QSKIP(qPrintable(QStringLiteral("sample data missing (run scripts/sample-data.sh): ") +     \
                             desktop_test::SampleData(relative)));                                      \
    } while (0)
