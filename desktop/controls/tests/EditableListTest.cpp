// The editable list driven as a user drives it: columns and rows, editing
// cells with keys and drop-downs, commits that are refused, selection of
// one or several rows, ticks, and double-clicks on read-only rows.
#include "ControlsTestSupport.h"

#include <QComboBox>
#include <QHeaderView>
#include <QSignalSpy>

using namespace GxfControls;
using ControlsTest::cellPoint;
using ControlsTest::focused;

class EditableListTest : public QObject {
    Q_OBJECT

    EditableList* list = nullptr;
    ControlsTest::Window* window = nullptr;

    QLineEdit* openCell(int row, int column)
    {
        ControlsTest::doubleClickAt(list->tableView()->viewport(), cellPoint(list, row, column));
        return qobject_cast<QLineEdit*>(focused());
    }

private slots:
    void init()
    {
        list = new EditableList;
        window = new ControlsTest::Window(list);
        list->setColumns({"Dimension Name", "Lower Bound", "Upper Bound", "Tolerance"}, {120, 120, 0});
        list->setColumnEditor(1, EditorKind::Text);
        list->setColumnEditor(2, EditorKind::Text);
        list->setColumnEditor(3, EditorKind::DropDown, {"0.05", "0.005"}, true);
        list->addRow({"X", "-180", "180", "0.05"});
        list->addRow({"Y", "-90", "90", "0.05"});
        list->addRow({"Z"});
        QVERIFY(window->showActive());
    }
    void cleanup()
    {
        delete window;
        window = nullptr;
    }

    void rowsAreFittedToTheColumns()
    {
        QCOMPARE(list->headers(), (QStringList{"Dimension Name", "Lower Bound", "Upper Bound", "Tolerance"}));
        QCOMPARE(list->tableView()->columnWidth(0), 120);
        QCOMPARE(list->tableView()->columnWidth(2), 100);  // 0 means the default
        QCOMPARE(list->tableView()->columnWidth(3), 100);  // missing too
        QCOMPARE(list->row(2), (QStringList{"Z", "", "", ""}));
        list->addRow({"M", "0", "1", "0.5", "one too many"});
        QCOMPARE(list->row(3), (QStringList{"M", "0", "1", "0.5"}));
        QCOMPARE(list->rows().size(), 4);
        QCOMPARE(list->rows().at(0), (QStringList{"X", "-180", "180", "0.05"}));
        QCOMPARE(list->cell(9, 9), QString());
        list->setCell(2, 1, "0");
        QCOMPARE(list->cell(2, 1), QString("0"));
        list->setRow(2, {"Q"});
        QCOMPARE(list->row(2), (QStringList{"Q", "", "", ""}));
    }

    void addsInsertsAndDeletesRows()
    {
        list->insertRow(0, {"first"});
        QCOMPARE(list->cell(0, 0), QString("first"));
        QCOMPARE(list->rowCount(), 4);
        list->removeRows({3, 0, 3});
        QCOMPARE(list->rowCount(), 2);
        QCOMPARE(list->cell(0, 0), QString("X"));
        QCOMPARE(list->cell(1, 0), QString("Y"));
        list->removeRow(5);  // outside: nothing
        QCOMPARE(list->rowCount(), 2);
        list->clearRows();
        QCOMPARE(list->rowCount(), 0);
        QCOMPARE(list->columnCount(), 4);
        list->clearColumns();
        QCOMPARE(list->columnCount(), 0);
        list->setColumns({"RowNo.", "NAME"}, {40, 80});
        list->addRows({{"1", "Ohio"}, {"2", "Iowa"}});
        QCOMPARE(list->rows(), (QList<QStringList>{{"1", "Ohio"}, {"2", "Iowa"}}));
    }

    void editingACellCommitsOnEnter()
    {
        QSignalSpy committed(list, &EditableList::cellCommitted);
        QLineEdit* editor = openCell(0, 1);
        QVERIFY(editor);
        QCOMPARE(editor->text(), QString("-180"));
        QTest::keyClicks(editor, "-179.5");
        ControlsTest::pressEnter(editor);
        QCOMPARE(list->cell(0, 1), QString("-179.5"));
        QCOMPARE(committed.count(), 1);
        const QList<QVariant> args = committed.at(0);
        QCOMPARE(args.at(0).toInt(), 0);
        QCOMPARE(args.at(1).toInt(), 1);
        QCOMPARE(args.at(2).toString(), QString("-180"));
        QCOMPARE(args.at(3).toString(), QString("-179.5"));
    }

    void enterAndF2OpenTheCurrentCell()
    {
        list->tableView()->setCurrentIndex(list->tableView()->model()->index(1, 2));
        list->tableView()->setFocus();
        ControlsTest::pressEnter(list->tableView());
        auto* editor = qobject_cast<QLineEdit*>(focused());
        QVERIFY(editor);
        QCOMPARE(editor->text(), QString("90"));
        QTest::keyClick(editor, Qt::Key_Escape);
        QTest::keyClick(list->tableView(), Qt::Key_F2);
        QVERIFY(qobject_cast<QLineEdit*>(focused()));
    }

    void escapeAndReadOnlyColumns()
    {
        QSignalSpy committed(list, &EditableList::cellCommitted);
        QLineEdit* editor = openCell(1, 2);
        QTest::keyClicks(editor, "1000");
        QTest::keyClick(editor, Qt::Key_Escape);
        QCOMPARE(list->cell(1, 2), QString("90"));
        window->elsewhere->setFocus();
        QCOMPARE(committed.count(), 0);

        QSignalSpy doubleClicked(list, &EditableList::rowDoubleClicked);
        ControlsTest::doubleClickAt(list->tableView()->viewport(), cellPoint(list, 1, 0));
        QVERIFY(!list->isEditing());
        QCOMPARE(doubleClicked.count(), 1);
        QCOMPARE(doubleClicked.at(0).at(0).toInt(), 1);
    }

    void focusLeavingTheCellCommits()
    {
        QLineEdit* editor = openCell(2, 1);
        QVERIFY(editor);
        QTest::keyClicks(editor, "-10");
        window->elsewhere->setFocus();
        QTRY_VERIFY(!list->isEditing());
        QCOMPARE(list->cell(2, 1), QString("-10"));
    }

    void tabCommitsAndMovesToTheNextCell()
    {
        QLineEdit* editor = openCell(2, 1);
        QTest::keyClicks(editor, "-10");
        QTest::keyClick(editor, Qt::Key_Tab);
        QCOMPARE(list->cell(2, 1), QString("-10"));
        QVERIFY(list->isEditing());
        editor = qobject_cast<QLineEdit*>(focused());
        QVERIFY(editor);
        QTest::keyClicks(editor, "10");
        list->commitPendingEdit();
        QCOMPARE(list->cell(2, 2), QString("10"));
    }

    void refusedCellKeepsItsText()
    {
        connect(list, &EditableList::cellCommitted, this,
                [](int, int, const QString&, const QString& text, CommitDecision* decision) {
                    bool number = false;
                    text.toDouble(&number);
                    if (!number)
                        decision->refuse();
                });
        QLineEdit* editor = openCell(0, 2);
        QTest::keyClicks(editor, "abc");
        ControlsTest::pressEnter(editor);
        QCOMPARE(list->cell(0, 2), QString("180"));
        QCOMPARE(list->tableView()->model()->index(0, 2).data().toString(), QString("180"));
        editor = openCell(0, 2);
        QTest::keyClicks(editor, "179");
        ControlsTest::pressEnter(editor);
        QCOMPARE(list->cell(0, 2), QString("179"));
    }

    void slotInsertingARowAboveUpdatesTheRightCell()
    {
        connect(list, &EditableList::cellCommitted, this, [this] { list->insertRow(0, {"W"}); });
        QLineEdit* editor = openCell(1, 1);
        QTest::keyClicks(editor, "-45");
        ControlsTest::pressEnter(editor);
        QCOMPARE(list->cell(2, 1), QString("-45"));
        QCOMPARE(list->cell(1, 1), QString("-180"));
    }

    void clearingRowsWhileEditingLosesNothingElse()
    {
        QSignalSpy committed(list, &EditableList::cellCommitted);
        QLineEdit* editor = openCell(0, 1);
        QTest::keyClicks(editor, "1");
        list->clearRows();
        window->elsewhere->setFocus();
        QCoreApplication::processEvents();
        QCOMPARE(committed.count(), 0);
        QCOMPARE(list->rowCount(), 0);
    }

    void dropDownColumnPicksAndTypes()
    {
        ControlsTest::doubleClickAt(list->tableView()->viewport(), cellPoint(list, 2, 3));
        auto* combo = qobject_cast<QComboBox*>(focused());
        if (!combo && focused())
            combo = qobject_cast<QComboBox*>(focused()->parentWidget());
        QVERIFY(combo);
        combo->showPopup();
        QAbstractItemView* popup = combo->view();
        QTRY_VERIFY(popup->isVisible());
        QTest::mouseClick(popup->viewport(), Qt::LeftButton, {}, popup->visualRect(popup->model()->index(1, 0)).center());
        QTRY_VERIFY(!list->isEditing());
        QCOMPARE(list->cell(2, 3), QString("0.005"));
    }

    void singleSelectionKeepsOneRow()
    {
        QTest::mouseClick(list->tableView()->viewport(), Qt::LeftButton, {}, cellPoint(list, 0, 0));
        QTest::mouseClick(list->tableView()->viewport(), Qt::LeftButton, Qt::ControlModifier, cellPoint(list, 2, 0));
        QCOMPARE(list->selectedRows(), (QList<int>{2}));
        QCOMPARE(list->currentRow(), 2);
    }

    void multipleSelection()
    {
        list->setMultipleSelection(true);
        QSignalSpy changed(list, &EditableList::itemSelectionChanged);
        QTest::mouseClick(list->tableView()->viewport(), Qt::LeftButton, {}, cellPoint(list, 2, 0));
        QTest::mouseClick(list->tableView()->viewport(), Qt::LeftButton, Qt::ControlModifier, cellPoint(list, 0, 0));
        QCOMPARE(list->selectedRows(), (QList<int>{0, 2}));
        QVERIFY(changed.count() >= 2);
        list->removeRows(list->selectedRows());
        QCOMPARE(list->rows(), (QList<QStringList>{{"Y", "-90", "90", "0.05"}}));
        list->selectRow(0);
        QCOMPARE(list->selectedRows(), (QList<int>{0}));
        list->clearSelection();
        QVERIFY(list->selectedRows().isEmpty());
    }

    void ticksInTheFirstColumn()
    {
        list->setCheckable(true);
        QSignalSpy toggled(list, &EditableList::rowCheckToggled);
        QTableView* view = list->tableView();
        const QRect cell = view->visualRect(view->model()->index(1, 0));
        // The tick box sits at the left of the cell.
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(cell.left() + 10, cell.center().y()));
        QCOMPARE(list->checkedRows(), (QList<int>{1}));
        QCOMPARE(toggled.count(), 1);
        list->setRowChecked(2, true);
        QCOMPARE(list->checkedRows(), (QList<int>{1, 2}));
        QVERIFY(list->isRowChecked(2));
        list->setRowChecked(1, false);
        QCOMPARE(list->checkedRows(), (QList<int>{2}));
        QCOMPARE(list->cell(2, 0), QString("Z"));
    }

    void spaceFlipsATrueFalseColumn()
    {
        list->setColumns({"Name", "Nullable"});
        list->setColumnEditor(1, EditorKind::TrueFalse, {"TRUE", "FALSE"});
        list->addRow({"ID", "FALSE"});
        QSignalSpy committed(list, &EditableList::cellCommitted);
        list->tableView()->setCurrentIndex(list->tableView()->model()->index(0, 1));
        list->tableView()->setFocus();
        QTest::keyClick(list->tableView(), Qt::Key_Space);
        QCOMPARE(list->cell(0, 1), QString("TRUE"));
        QCOMPARE(committed.count(), 1);
        list->tableView()->setCurrentIndex(list->tableView()->model()->index(0, 0));
        QTest::keyClick(list->tableView(), Qt::Key_Space);  // not a True/False column
        QCOMPARE(list->cell(0, 0), QString("ID"));
        QCOMPARE(committed.count(), 1);
    }

    void cellSelectionReportsRows()
    {
        list->setFullRowSelection(false);
        list->setMultipleSelection(true);
        QTest::mouseClick(list->tableView()->viewport(), Qt::LeftButton, {}, cellPoint(list, 0, 1));
        QTest::mouseClick(list->tableView()->viewport(), Qt::LeftButton, Qt::ControlModifier, cellPoint(list, 2, 2));
        QTest::mouseClick(list->tableView()->viewport(), Qt::LeftButton, Qt::ControlModifier, cellPoint(list, 2, 3));
        QCOMPARE(list->selectedRows(), (QList<int>{0, 2}));
    }

    void hidingKeepsTheTypedText()
    {
        QLineEdit* editor = openCell(1, 1);
        QTest::keyClicks(editor, "-89");
        window->window.hide();
        QCOMPARE(list->cell(1, 1), QString("-89"));
    }
};

QTEST_MAIN(EditableListTest)
#include "EditableListTest.moc"
