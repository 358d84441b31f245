// What "Update SDO Metadata" makes of the grid and the SRID field before
// anything is sent: the dimensions, read from the top down to the first
// row without a name, and the SRID. Each check that fails gives the
// message to show, and nothing is written.
//
// A bound or tolerance must be a decimal number and nothing else: an empty
// cell, trailing text, or a number that is not finite is refused, since
// each would go into the metadata as a value nobody typed. An SRID beyond
// the 32-bit range Oracle keeps is refused for the same reason.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

struct c_DimensionInput {
    QString name;
    double lowerBound = 0;
    double upperBound = 0;
    double tolerance = 0;
};

struct c_MetadataInput {
    QList<c_DimensionInput> dimensions;
    long srid = 0;
    QString error;  // empty when the input is good
};

// Rows of four cells: name, lower bound, upper bound, tolerance.
c_MetadataInput ParseMetadataInput(const QList<QStringList>& rows, const QString& sridText);

// The extent's bounds as "%g" shows them, rounded outwards (a minimum down,
// a maximum up) so that the six digits kept still hold every geometry.
QString LowerBoundText(double minimum);
QString UpperBoundText(double maximum);
