// What the owner of a control answers when the user commits an edited
// value: keep it, refuse it (the control goes on showing the old value) or
// replace it by another text (the control shows that one).
//
// The controls hand a CommitDecision to their commit signal
// (PropertyTree::valueCommitted, EditableList::cellCommitted). It lives
// only for the duration of the signal, so connect with the default (direct)
// connection and never keep the pointer. A slot that takes fewer arguments
// and ignores the decision simply accepts every value.
//
// Example, refusing a duplicate class name:
//   connect(tree, &GxfControls::PropertyTree::valueCommitted, this,
//           [this](GxfControls::PropertyItem* item, const QString& oldName,
//                  const QString& newName, GxfControls::CommitDecision* decision) {
//               if (classNameTaken(newName)) {
//                   QMessageBox::warning(this, title, "Error: Duplicated name of Class!");
//                   decision->refuse();            // the item shows oldName again
//                   return;
//               }
//               renameClass(item, newName);
//           });
#pragma once

#include <QString>

#include <utility>

namespace GxfControls {

class CommitDecision {
public:
    explicit CommitDecision(QString value) : m_value(std::move(value)) {}

    // The value stays what it was before the edit.
    void refuse() { m_refused = true; }
    // The control shows and keeps this text instead of the one typed.
    void setValue(const QString& value) { m_value = value; m_refused = false; }

    bool isRefused() const { return m_refused; }
    const QString& value() const { return m_value; }

private:
    QString m_value;
    bool m_refused = false;
};

} // namespace GxfControls
