#include "app/ToolTable.h"

namespace {
constexpr e_Selector kNo = e_Selector::None;
constexpr e_Selector kConn = e_Selector::Connection;
constexpr e_Selector kClass = e_Selector::ConnectionAndClass;
}  // namespace

const std::vector<c_ToolEntry>& ToolTable() {
    static const std::vector<c_ToolEntry> table = {
        {"Express Geoxfer", true, 0, nullptr, kNo, 0},
        {"SHP to SDF", false, 1, "c_DlgExpressShp2Sdf", kNo, 0},
        {"SHP to Oracle", false, 2, "c_DlgExpressShp2Ora", kNo, 0},
        {"SHP to Informix", false, 3, "c_DlgExpressShp2Inf", kNo, 0},
        {"SHP to KML", false, 4, "c_DlgExpressShp2Kml", kNo, 0},
        {"SDF to SHP", false, 6, "c_DlgExpressSdf2Shp", kNo, 0},
        {"SDF to Oracle", false, 5, "c_DlgExpressSdf2Ora", kNo, 0},
        {"SDF to Informix", false, 7, "c_DlgExpressSdf2Inf", kNo, 0},
        {"SDF to KML", false, 8, "c_DlgExpressSdf2Kml", kNo, 0},
        {"Oracle to SHP", false, 9, "c_DlgExpressOra2Shp", kNo, 0},
        {"Oracle to SDF", false, 10, "c_DlgExpressOra2Sdf", kNo, 0},
        {"Informix to SHP", false, 11, "c_DlgExpressInf2Shp", kNo, 0},
        {"Informix to SDF", false, 12, "c_DlgExpressInf2Sdf", kNo, 0},
        {"Schema Manager", true, 20, "c_DlgFdoUtilSchemaManager", kNo, 0},
        {"Copy Task Manager", true, 21, "c_DlgFdoUtilCopyTaskManager", kNo, 0},
        {"FDO Source Toolbox", true, 13, nullptr, kNo, 0},
        {"FDO Schema", false, 14, "c_DlgFdoSchema", kConn, 100},
        {"FDO Class Definition", false, 15, "c_DlgFdoClassDefinition", kConn, 100},
        {"FDO Spatial Contexts", false, 16, "c_DlgFdoSpContext", kConn, 100},
        {"FDO Query Data", false, 17, "c_DlgFdoClassData", kConn, 100},
        {"Test Perfomance", false, 18, "c_DlgFdoPerfomance", kClass, 150},
        {"Oracle Toolbox", true, 23, nullptr, kNo, 0},
        {"SDO Metadata", false, 24, "c_DlgOraSdoMetadata", kConn, 100},
        {"Spatial Index", false, 25, "c_DlgOraSpIndex", kConn, 100},
        {"Primary Key", false, 26, "c_DlgOraPKey", kConn, 100},
        {"NorvFdoClass", false, 27, "c_DlgOraFdoViewsTable", kConn, 100},
        {"MS SQL Server Toolbox", true, 28, nullptr, kNo, 0},
        {"NorvFdoClass", false, 29, "c_DlgMssFdoViewsTable", kConn, 100},
        {"FDO Utilites", true, 19, nullptr, kNo, 0},
        {"Create Empty SDF", false, 22, "c_DlgFdoSdfCreate", kNo, 0},
        {"Connections List", true, 30, "c_DlgConnManager", kNo, 0},
    };
    return table;
}

const c_ToolEntry* FindTool(int code) {
    for (const c_ToolEntry& entry : ToolTable())
        if (entry.code == code) return &entry;
    return nullptr;
}
