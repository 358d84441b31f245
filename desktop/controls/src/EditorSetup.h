// How one value is edited in place: the editor kind and, for drop-downs and
// True/False choices, the texts offered. The delegate asks its control for
// one of these per cell just before it opens an editor.
#pragma once

#include <GeoxferControls/EditorKind.h>

#include <QStringList>

namespace GxfControls {

struct EditorSetup {
    EditorKind kind = EditorKind::ReadOnly;
    QStringList choices;           // DropDown: the list; TrueFalse: {true text, false text}
    bool choicesEditable = false;  // DropDown only: free text allowed

    bool editable() const { return kind != EditorKind::ReadOnly; }

    static QStringList defaultTrueFalse() { return {QStringLiteral("True"), QStringLiteral("False")}; }
    // The pair actually offered: the setup's own when it has two texts.
    QStringList trueFalseTexts() const { return choices.size() == 2 ? choices : defaultTrueFalse(); }
    // A True/False value counts as true when it equals the true text without
    // regard to case, so "TRUE" typed in a file reads as true for a "True" item.
    bool isTrue(const QString& value) const {
        return value.compare(trueFalseTexts().at(0), Qt::CaseInsensitive) == 0;
    }
    bool isFalse(const QString& value) const {
        return value.compare(trueFalseTexts().at(1), Qt::CaseInsensitive) == 0;
    }
    QString flipped(const QString& value) const {
        const QStringList pair = trueFalseTexts();
        return isTrue(value) ? pair.at(1) : pair.at(0);
    }
};

} // namespace GxfControls
