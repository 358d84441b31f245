// The tree widget inside a PropertyTree. It routes every edit to the value
// column (a double-click on the label edits the value too), starts editing
// on Enter as well as on F2 and double-click, opens and closes a group on
// Enter, and turns Space on a True/False item into a flip of its value.
#pragma once

#include <QTreeWidget>

namespace GxfControls {

class PropertyItem;

class PropertyTreeView : public QTreeWidget {
    Q_OBJECT
public:
    explicit PropertyTreeView(QWidget* parent);

    PropertyItem* propertyItem(const QModelIndex& index) const;
    QModelIndex valueIndex(PropertyItem* item) const;
    // Commits and closes the open editor, if there is one.
    void commitOpenEditor(QWidget* editor);
    bool isEditing() const { return state() == EditingState; }

signals:
    void flipRequested(GxfControls::PropertyItem* item);

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace GxfControls
