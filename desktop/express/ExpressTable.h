// The twelve express conversions as rows of one table: for each, its pane
// class and tool code, the fields of its source and destination (labels and
// picker buttons), the two providers and connection string templates, the
// extra setting made on the copy task and the base name under which the
// destination is registered in the connection list.
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

enum class e_StoreKind { File, Oracle, Informix };
enum class e_Picker { OpenFile, SaveFile, Folder };
enum class e_Extra { None, SdfOverwrite, SridFromField, SridZero };

struct c_PickerButton {
    const char* text;
    e_Picker picker;
    const char* filter;      // open and save pickers
    const char* defaultExt;  // open and save pickers
};

struct c_ExpressSide {
    e_StoreKind kind;
    const char* label;  // the file or folder field's label (File only)
    std::vector<c_PickerButton> pickers;
    const char* sridLabel;  // "Oracle SRID:" / "Informix SRID:" where the destination takes one, else null
};

struct c_ExpressMember {
    int toolCode;
    const char* paneClass;
    c_ExpressSide source;
    c_ExpressSide dest;
    const char* sourceProvider;
    const char* sourceTemplate;
    const char* destProvider;
    const char* destTemplate;
    e_Extra extra;
    const char* baseName;
};

const std::vector<c_ExpressMember>& ExpressMembers();
const c_ExpressMember* FindExpressMember(int toolCode);

// Labels of the database fields.
extern const char kOracleUserLabel[];
extern const char kOraclePasswordLabel[];
extern const char kOracleServiceLabel[];
extern const char kDsnLabel[];

// The template with each %s replaced, in order, by the next value,
// unchanged.
QString FillTemplate(const QString& connTemplate, const QStringList& values);
// The field read as a signed decimal whole number: leading blanks and a
// sign allowed, reading stops at the first other character, no digits give
// 0; values beyond the int range are held at its ends.
int ReadSrid(const QString& text);
