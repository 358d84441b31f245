#include "express/ExpressPanes.h"

c_DlgExpress* CreateExpressPane(int toolCode, CMaprailApp& app, QWidget* parent) {
    switch (toolCode) {
        case c_DlgExpressShp2Sdf::kToolCode: return new c_DlgExpressShp2Sdf(app, parent);
        case c_DlgExpressShp2Ora::kToolCode: return new c_DlgExpressShp2Ora(app, parent);
        case c_DlgExpressShp2Inf::kToolCode: return new c_DlgExpressShp2Inf(app, parent);
        case c_DlgExpressShp2Kml::kToolCode: return new c_DlgExpressShp2Kml(app, parent);
        case c_DlgExpressSdf2Ora::kToolCode: return new c_DlgExpressSdf2Ora(app, parent);
        case c_DlgExpressSdf2Shp::kToolCode: return new c_DlgExpressSdf2Shp(app, parent);
        case c_DlgExpressSdf2Inf::kToolCode: return new c_DlgExpressSdf2Inf(app, parent);
        case c_DlgExpressSdf2Kml::kToolCode: return new c_DlgExpressSdf2Kml(app, parent);
        case c_DlgExpressOra2Shp::kToolCode: return new c_DlgExpressOra2Shp(app, parent);
        case c_DlgExpressOra2Sdf::kToolCode: return new c_DlgExpressOra2Sdf(app, parent);
        case c_DlgExpressInf2Shp::kToolCode: return new c_DlgExpressInf2Shp(app, parent);
        case c_DlgExpressInf2Sdf::kToolCode: return new c_DlgExpressInf2Sdf(app, parent);
        default: return nullptr;
    }
}
