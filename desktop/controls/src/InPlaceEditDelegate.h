// The one item delegate behind every in-place editor of the library.
//
// It never writes into a model itself: on commit it hands the editor's text
// to its control through the commit callback, and the control asks its
// owner (commit signal with a CommitDecision) before it stores anything.
// Qt's own delegate event filter decides when to commit: Enter, Tab and
// losing focus commit, Escape closes without committing; a drop-down also
// commits as soon as a choice is picked from its list.
#pragma once

#include "EditorSetup.h"

#include <QPointer>
#include <QStyledItemDelegate>

#include <functional>

namespace GxfControls {

class InPlaceEditDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using SpecSource = std::function<EditorSetup(const QModelIndex&)>;
    using Committer = std::function<void(const QModelIndex&, const QString&)>;

    InPlaceEditDelegate(SpecSource specFor, Committer commit, QObject* parent);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    void destroyEditor(QWidget* editor, const QModelIndex& index) const override;
    // The editor now open, if any (a view has one at a time).
    QWidget* openEditor() const { return m_openEditor.data(); }

    // Height of a row that holds a drop-down editor without clipping it.
    int editorRowHeight() const;

private:
    QWidget* createComboBox(QWidget* parent, const EditorSetup& setup) const;

    SpecSource m_specFor;
    Committer m_commit;
    mutable int m_editorRowHeight = 0;
    mutable QPointer<QWidget> m_openEditor;
};

} // namespace GxfControls
