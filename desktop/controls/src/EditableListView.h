// The table view inside an EditableList: Enter starts editing an editable
// cell (and is kept from the dialog's default button), Space on a cell of a
// True/False column asks for a flip, a double-click on a cell without an
// editor is reported as a row double-click.
#pragma once

#include <QTableView>

namespace GxfControls {

class EditableListView : public QTableView {
    Q_OBJECT
public:
    explicit EditableListView(QWidget* parent);

    void commitOpenEditor(QWidget* editor);
    bool isEditing() const { return state() == EditingState; }

signals:
    void rowDoubleClicked(int row);
    void spacePressed(const QModelIndex& index, bool* handled);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

} // namespace GxfControls
