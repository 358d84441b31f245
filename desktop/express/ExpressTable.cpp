#include "express/ExpressTable.h"

#include <climits>

const char kOracleUserLabel[] = "Oracle Username:";
const char kOraclePasswordLabel[] = "Password:";
const char kOracleServiceLabel[] = "Service Name:";
const char kDsnLabel[] = "DSN Name:";

namespace {

constexpr char kShapeFilter[] = "Shape files (*.shp)|*.shp|All Files (*.*)|*.*||";
constexpr char kShpFilter[] = "SHP files (*.shp)|*.shp|All Files (*.*)|*.*||";
constexpr char kSdfFilter[] = "SDF files (*.sdf)|*.sdf|All Files (*.*)|*.*||";
constexpr char kKmlFilter[] = "KML files (*.kml)|*.kml|All Files (*.*)|*.*||";
constexpr char kKmlLowerFilter[] = "Kml files (*.kml)|*.kml|All Files (*.*)|*.*||";

const c_PickerButton kShpFile{"SHP File...", e_Picker::OpenFile, kShapeFilter, "SHP"};
const c_PickerButton kShpFileInf{"SHP File...", e_Picker::OpenFile, kShpFilter, "SHP"};
const c_PickerButton kShpFolder{"SHP Folder...", e_Picker::Folder, nullptr, nullptr};
const c_PickerButton kSdfOpen{"SDF File...", e_Picker::OpenFile, kSdfFilter, "SDF"};
const c_PickerButton kSdfSave{"SDF File...", e_Picker::SaveFile, kSdfFilter, "SDF"};
const c_PickerButton kKmlOpen{"KML File...", e_Picker::OpenFile, kKmlFilter, "KML"};
const c_PickerButton kKmlOpenLower{"KML File...", e_Picker::OpenFile, kKmlLowerFilter, "KML"};

c_ExpressSide ShpFileOrFolder() {
    return {e_StoreKind::File, "Select SHP file or Folder with SHP Files:", {kShpFile, kShpFolder}, nullptr};
}
c_ExpressSide File(const char* label, std::vector<c_PickerButton> pickers) {
    return {e_StoreKind::File, label, std::move(pickers), nullptr};
}
c_ExpressSide Oracle(bool srid) { return {e_StoreKind::Oracle, nullptr, {}, srid ? "Oracle SRID:" : nullptr}; }
c_ExpressSide Informix(bool srid) { return {e_StoreKind::Informix, nullptr, {}, srid ? "Informix SRID:" : nullptr}; }

constexpr char kShp[] = "OSGeo.SHP";
constexpr char kSdf[] = "OSGeo.SDF";
constexpr char kOra[] = "Norv.Oracle";
constexpr char kInf[] = "Norv.Informix";
constexpr char kKml[] = "Norv.KML";
constexpr char kShpConn[] = "DefaultFileLocation=%s";
constexpr char kFileConn[] = "File=%s;ReadOnly=FALSE;";
constexpr char kOraConn[] = "Username=%s;Password=%s;Service=%s;OracleSchema=%s;";
constexpr char kDsnConn[] = "DSN=%s;";

}  // namespace

const std::vector<c_ExpressMember>& ExpressMembers() {
    using E = e_Extra;
    static const std::vector<c_ExpressMember> members = {
        {1, "c_DlgExpressShp2Sdf", ShpFileOrFolder(), File("Select SDF file to copy to:", {kSdfSave}), kShp, kShpConn,
         kSdf, kFileConn, E::SdfOverwrite, "ExpressSDF"},
        {2, "c_DlgExpressShp2Ora", ShpFileOrFolder(), Oracle(true), kShp, kShpConn, kOra, kOraConn, E::SridFromField,
         "ExpressORA"},
        {3, "c_DlgExpressShp2Inf", File("Select SHP file :", {kShpFileInf}), Informix(true), kShp, kShpConn, kInf,
         kDsnConn, E::SridFromField, "ExpressORA"},
        {4, "c_DlgExpressShp2Kml", ShpFileOrFolder(), File("Select KML file to copy to:", {kKmlOpen}), kShp, kShpConn,
         kKml, kFileConn, E::None, "ExpressKML"},
        {6, "c_DlgExpressSdf2Shp", File("Select SDF file:", {kSdfOpen}), File("Select SHP file Folder:", {kShpFolder}),
         kSdf, kFileConn, kShp, kShpConn, E::SdfOverwrite, "ExpressSDF"},
        {5, "c_DlgExpressSdf2Ora", File("Select SDF file :", {kSdfOpen}), Oracle(true), kSdf, kFileConn, kOra, kOraConn,
         E::SridFromField, "ExpressORA"},
        {7, "c_DlgExpressSdf2Inf", File("Select SDF file :", {kSdfOpen}), Informix(true), kSdf, kFileConn, kInf,
         kDsnConn, E::SridFromField, "ExpressORA"},
        {8, "c_DlgExpressSdf2Kml", File("Select SDF file:", {kSdfOpen}), File("Select KML file:", {kKmlOpenLower}), kSdf,
         kFileConn, kKml, kFileConn, E::SdfOverwrite, "ExpressSDF"},
        {9, "c_DlgExpressOra2Shp", Oracle(false), File("Select SHP Folder :", {kShpFolder}), kOra, kOraConn, kShp,
         kShpConn, E::SridZero, "ExpressORA"},
        {10, "c_DlgExpressOra2Sdf", Oracle(false), File("Select SDF file to copy to:", {kSdfSave}), kOra, kOraConn,
         kSdf, kFileConn, E::SdfOverwrite, "ExpressORA"},
        {11, "c_DlgExpressInf2Shp", Informix(false), File("Select SHP Folder :", {kShpFolder}), kInf, kDsnConn, kShp,
         kShpConn, E::SridZero, "Informix"},
        {12, "c_DlgExpressInf2Sdf", Informix(false), File("Select SDF file to copy to:", {kSdfSave}), kInf, kDsnConn,
         kSdf, kFileConn, E::SdfOverwrite, "Informix"},
    };
    return members;
}

const c_ExpressMember* FindExpressMember(int toolCode) {
    for (const c_ExpressMember& member : ExpressMembers())
        if (member.toolCode == toolCode) return &member;
    return nullptr;
}

QString FillTemplate(const QString& connTemplate, const QStringList& values) {
    QString filled;
    qsizetype from = 0;
    for (const QString& value : values) {
        const qsizetype at = connTemplate.indexOf(QStringLiteral("%s"), from);
        if (at < 0) break;
        filled += connTemplate.mid(from, at - from) + value;
        from = at + 2;
    }
    return filled + connTemplate.mid(from);
}

int ReadSrid(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) i++;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; i++) {
        value = value * 10 + (text[i].unicode() - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}
