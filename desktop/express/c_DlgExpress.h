// c_DlgExpress: the one pane behind the twelve express conversions, laid
// out and driven by its member's row of ExpressMembers(). The user fills
// the fields and presses "Start Copy": the two connection strings are made
// from the row's templates, the copy runs behind the progress dialog, the
// result text and a message report it ("Copied %d features." / "Copy
// Finished. %s" / "Error copy: %s"; after Cancel "Copy cancelled. Copied %d
// features."), and a successful destination is registered in the
// connection list (FindOrAdd under the row's base name) and made current.
#pragma once

#include "app/c_DlgPane.h"
#include "express/ExpressCopy.h"

#include <QMap>

class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

class c_DlgExpress : public c_DlgPane {
public:
    c_DlgExpress(const c_ExpressMember& member, CMaprailApp& app, QWidget* parent);

    const c_ExpressMember& Member() const { return m_member; }
    // The field under that label ("Oracle Username:", "Select SDF file:" ...),
    // or null; fields of the source come before those of the destination.
    QLineEdit* Field(const QString& label) const { return m_fields.value(label); }
    // The picker button of that text, or null.
    QPushButton* Picker(const QString& text) const { return m_pickers.value(text); }
    QPushButton* StartButton() const { return m_start; }
    QString ResultText() const;

    // The request the fields make now.
    c_ExpressRequest Request() const;
    void StartCopy();

private:
    void AddSide(const c_ExpressSide& side, bool source, QGridLayout* grid, int& row);
    QLineEdit* AddField(const QString& label, QGridLayout* grid, int& row, bool password = false);
    void Pick(const c_PickerButton& button, QLineEdit* field);
    QStringList TemplateValues(const c_ExpressSide& side, bool source) const;
    void Report(const c_ExpressOutcome& outcome, const c_ExpressRequest& request);

    const c_ExpressMember& m_member;
    QMap<QString, QLineEdit*> m_fields;
    QMap<QString, QPushButton*> m_pickers;
    QLineEdit* m_sourceFile = nullptr;
    QLineEdit* m_destFile = nullptr;
    QPushButton* m_start;
    QLabel* m_result;
};
