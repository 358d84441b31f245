// The twelve express conversion panes under their own class names, each
// the shared pane (c_DlgExpress) on its member's row.
#pragma once

#include "express/c_DlgExpress.h"

// The express pane of a tool code, or null when the code is no express tool.
c_DlgExpress* CreateExpressPane(int toolCode, CMaprailApp& app, QWidget* parent);

#define GXF_EXPRESS_PANE(ClassName, Code)                                                         \
    class ClassName : public c_DlgExpress {                                                       \
    public:                                                                                       \
        static constexpr int kToolCode = Code;                                                    \
        ClassName(CMaprailApp& app, QWidget* parent)                                              \
            : c_DlgExpress(*FindExpressMember(kToolCode), app, parent) {}                         \
    };

GXF_EXPRESS_PANE(c_DlgExpressShp2Sdf, 1)
GXF_EXPRESS_PANE(c_DlgExpressShp2Ora, 2)
GXF_EXPRESS_PANE(c_DlgExpressShp2Inf, 3)
GXF_EXPRESS_PANE(c_DlgExpressShp2Kml, 4)
GXF_EXPRESS_PANE(c_DlgExpressSdf2Ora, 5)
GXF_EXPRESS_PANE(c_DlgExpressSdf2Shp, 6)
GXF_EXPRESS_PANE(c_DlgExpressSdf2Inf, 7)
GXF_EXPRESS_PANE(c_DlgExpressSdf2Kml, 8)
GXF_EXPRESS_PANE(c_DlgExpressOra2Shp, 9)
GXF_EXPRESS_PANE(c_DlgExpressOra2Sdf, 10)
GXF_EXPRESS_PANE(c_DlgExpressInf2Shp, 11)
GXF_EXPRESS_PANE(c_DlgExpressInf2Sdf, 12)

#undef GXF_EXPRESS_PANE
