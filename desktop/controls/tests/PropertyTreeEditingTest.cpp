// In-place editing of a PropertyTree driven as a user drives it: keys into
// the editor, Enter, Escape, moving the focus, picking from drop-downs,
// flipping True/False values, and owners that refuse or adjust a value.
#include "ControlsTestSupport.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QListView>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>

using namespace GxfControls;
using ControlsTest::focused;

class PropertyTreeEditingTest : public QObject {
    Q_OBJECT

    PropertyTree* tree = nullptr;
    ControlsTest::Window* window = nullptr;
    PropertyItem* group = nullptr;
    PropertyItem* text = nullptr;
    PropertyItem* flag = nullptr;
    PropertyItem* choice = nullptr;
    PropertyItem* readOnly = nullptr;

    QLineEdit* openTextEditor(PropertyItem* item)
    {
        tree->setCurrentItem(item);
        tree->treeWidget()->setFocus();
        ControlsTest::pressEnter(tree->treeWidget());
        return qobject_cast<QLineEdit*>(focused());
    }
    QComboBox* openComboEditor(PropertyItem* item)
    {
        tree->setCurrentItem(item);
        tree->treeWidget()->setFocus();
        QTest::keyClick(tree->treeWidget(), Qt::Key_F2);
        return qobject_cast<QComboBox*>(focused());
    }

private slots:
    void init()
    {
        tree = new PropertyTree;
        window = new ControlsTest::Window(tree);
        group = tree->addGroup(nullptr, "Copy Task Attributes", "Attributes");
        text = tree->addItem(group, "Source Class Name", "roads", "Source Class Name", EditorKind::Text);
        flag = tree->addTrueFalseItem(group, "Magic Class Name", true, "If TRUE then ...");
        choice = tree->addDropDownItem(group, "Layer Geometry Type", "LINE", {"", "POINT", "LINE", "POLYGON"});
        readOnly = tree->addItem(group, "Class Copy", "roads", "Class Copy");
        tree->expandAll();
        QVERIFY(window->showActive());
    }
    void cleanup()
    {
        delete window;
        window = nullptr;
    }

    void enterOpensEditorAndEnterCommits()
    {
        QSignalSpy committed(tree, &PropertyTree::valueCommitted);
        QLineEdit* editor = openTextEditor(text);
        QVERIFY(editor);
        QCOMPARE(editor->text(), QString("roads"));
        QTest::keyClicks(editor, "rivers");  // the old text is selected: typing replaces it
        ControlsTest::pressEnter(editor);
        QCOMPARE(text->value(), QString("rivers"));
        QCOMPARE(committed.count(), 1);
        QCOMPARE(committed.at(0).at(1).toString(), QString("roads"));
        QCOMPARE(committed.at(0).at(2).toString(), QString("rivers"));
        QVERIFY(!tree->isEditing());
    }

    void doubleClickOnLabelEditsTheValue()
    {
        ControlsTest::doubleClickItem(tree, text, 0);
        auto* editor = qobject_cast<QLineEdit*>(focused());
        QVERIFY(editor);
        QCOMPARE(editor->text(), QString("roads"));
        QVERIFY(editor->geometry().left() >= tree->treeWidget()->columnViewportPosition(1));
    }

    void escapeCancelsWithoutCommitting()
    {
        QSignalSpy committed(tree, &PropertyTree::valueCommitted);
        QLineEdit* editor = openTextEditor(text);
        QVERIFY(editor);
        QTest::keyClicks(editor, "rivers");
        QTest::keyClick(editor, Qt::Key_Escape);
        QVERIFY(!tree->isEditing());
        QCOMPARE(text->value(), QString("roads"));
        QCOMPARE(committed.count(), 0);
        // Moving on afterwards does not commit the abandoned text either.
        window->elsewhere->setFocus();
        QCOMPARE(committed.count(), 0);
    }

    void movingTheFocusAwayCommits()
    {
        QLineEdit* editor = openTextEditor(text);
        QVERIFY(editor);
        QTest::keyClicks(editor, "rivers");
        QTest::mouseClick(window->elsewhere, Qt::LeftButton);
        window->elsewhere->setFocus(Qt::MouseFocusReason);
        QTRY_VERIFY(!tree->isEditing());
        QCOMPARE(text->value(), QString("rivers"));
    }

    void clickingAnotherRowCommits()
    {
        QLineEdit* editor = openTextEditor(text);
        QVERIFY(editor);
        QTest::keyClicks(editor, "rivers");
        ControlsTest::clickItem(tree, readOnly);
        QTRY_VERIFY(!tree->isEditing());
        QCOMPARE(text->value(), QString("rivers"));
        QCOMPARE(tree->currentItem(), readOnly);
    }

    void hidingTheWindowKeepsTheTypedValue()
    {
        QLineEdit* editor = openTextEditor(text);
        QVERIFY(editor);
        QTest::keyClicks(editor, "rivers");
        window->window.hide();
        QCOMPARE(text->value(), QString("rivers"));
    }

    void commitPendingEditTakesTheTypedValue()
    {
        QLineEdit* editor = openTextEditor(text);
        QVERIFY(editor);
        QTest::keyClicks(editor, "rivers");
        tree->commitPendingEdit();
        QVERIFY(!tree->isEditing());
        QCOMPARE(text->value(), QString("rivers"));
    }

    void refusedValueIsNotShown()
    {
        connect(tree, &PropertyTree::valueCommitted, this,
                [](PropertyItem*, const QString&, const QString&, CommitDecision* decision) { decision->refuse(); });
        QLineEdit* editor = openTextEditor(text);
        QVERIFY(editor);
        QTest::keyClicks(editor, "duplicate");
        ControlsTest::pressEnter(editor);
        QCOMPARE(text->value(), QString("roads"));
        const QModelIndex shown = tree->treeWidget()->currentIndex().siblingAtColumn(1);
        QCOMPARE(shown.data().toString(), QString("roads"));
    }

    void adjustedValueIsShown()
    {
        connect(tree, &PropertyTree::valueCommitted, this,
                [](PropertyItem*, const QString&, const QString& value, CommitDecision* decision) {
                    decision->setValue(value.toUpper());
                });
        QLineEdit* editor = openTextEditor(text);
        QTest::keyClicks(editor, "rivers");
        ControlsTest::pressEnter(editor);
        QCOMPARE(text->value(), QString("RIVERS"));
    }

    void valueIsOldDuringTheSignal()
    {
        QString seen;
        connect(tree, &PropertyTree::valueCommitted, this,
                [&seen](PropertyItem* item) { seen = item->value(); });
        QLineEdit* editor = openTextEditor(text);
        QTest::keyClicks(editor, "rivers");
        ControlsTest::pressEnter(editor);
        QCOMPARE(seen, QString("roads"));
        QCOMPARE(text->value(), QString("rivers"));
    }

    void unchangedTextEmitsNothing()
    {
        QSignalSpy committed(tree, &PropertyTree::valueCommitted);
        QLineEdit* editor = openTextEditor(text);
        QVERIFY(editor);
        ControlsTest::pressEnter(editor);
        QCOMPARE(committed.count(), 0);
    }

    void messageBoxInTheSlotCommitsOnce()
    {
        int calls = 0;
        connect(tree, &PropertyTree::valueCommitted, this,
                [&calls, this](PropertyItem*, const QString&, const QString&, CommitDecision* decision) {
                    ++calls;
                    QTimer::singleShot(0, [] {
                        if (QWidget* box = QApplication::activeModalWidget())
                            box->close();
                    });
                    QMessageBox::warning(&window->window, "FDO Schema Manager", "Error: Duplicated name of Class!");
                    decision->refuse();
                });
        QLineEdit* editor = openTextEditor(text);
        QTest::keyClicks(editor, "duplicate");
        ControlsTest::pressEnter(editor);
        QTRY_VERIFY(!tree->isEditing());
        QCOMPARE(calls, 1);
        QCOMPARE(text->value(), QString("roads"));
    }

    void slotMayRebuildTheTree()
    {
        connect(tree, &PropertyTree::valueCommitted, this, [this](PropertyItem*, const QString&, const QString& v) {
            tree->clear();
            tree->addItem(nullptr, "Rebuilt", v);
        });
        QLineEdit* editor = openTextEditor(text);
        QTest::keyClicks(editor, "rivers");
        // Qt still closes the editor that the rebuild already took away.
        QTest::ignoreMessage(QtWarningMsg, "QAbstractItemView::closeEditor called with an editor that does not belong to this view");
        ControlsTest::pressEnter(editor);
        QCOMPARE(tree->topLevelItemCount(), 1);
        QCOMPARE(tree->topLevelItem(0)->value(), QString("rivers"));
        QCOMPARE(tree->infoTitle(), QString());
    }

    void typingSurvivesAnUpdateOfTheRow()
    {
        QLineEdit* editor = openTextEditor(text);
        QTest::keyClicks(editor, "riv");
        text->setHelpText("changed");
        text->setToolTip(1, "the model reports the value cell as changed");
        QTest::keyClicks(editor, "ers");
        QCOMPARE(editor->text(), QString("rivers"));
        ControlsTest::pressEnter(editor);
        QCOMPARE(text->value(), QString("rivers"));
    }

    void removingTheEditedItemClosesTheEditor()
    {
        QSignalSpy committed(tree, &PropertyTree::valueCommitted);
        QLineEdit* editor = openTextEditor(text);
        QTest::keyClicks(editor, "rivers");
        tree->removeItem(text);
        window->elsewhere->setFocus();
        QCoreApplication::processEvents();
        QCOMPARE(committed.count(), 0);
        QVERIFY(!tree->isEditing());
    }

    void readOnlyItemsOpenNoEditor()
    {
        tree->setCurrentItem(readOnly);
        tree->treeWidget()->setFocus();
        QTest::keyClick(tree->treeWidget(), Qt::Key_F2);
        QVERIFY(!tree->isEditing());
        ControlsTest::doubleClickItem(tree, readOnly, 1);
        QVERIFY(!tree->isEditing());
        tree->editItem(readOnly);
        QVERIFY(!tree->isEditing());
    }

    void enterAndEscapeStayInsideADialog()
    {
        QDialog dialog;
        auto* dialogTree = new PropertyTree(&dialog);
        PropertyItem* name = dialogTree->addItem(nullptr, "Name", "NewClass", "", EditorKind::Text);
        auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
        connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
        buttons->button(QDialogButtonBox::Ok)->setDefault(true);
        auto* layout = new QVBoxLayout(&dialog);
        layout->addWidget(dialogTree);
        layout->addWidget(buttons);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        dialogTree->setCurrentItem(name);
        dialogTree->treeWidget()->setFocus();

        ControlsTest::pressEnter(dialogTree->treeWidget());
        auto* editor = qobject_cast<QLineEdit*>(focused());
        QVERIFY(editor);
        QTest::keyClicks(editor, "Roads");
        ControlsTest::pressEnter(editor);
        QCOMPARE(name->value(), QString("Roads"));
        QVERIFY(dialog.isVisible());

        ControlsTest::pressEnter(dialogTree->treeWidget());
        editor = qobject_cast<QLineEdit*>(focused());
        QVERIFY(editor);
        QTest::keyClicks(editor, "Rivers");
        QTest::keyClick(editor, Qt::Key_Escape);
        QCOMPARE(name->value(), QString("Roads"));
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.result(), 0);
    }

    void enterOnAGroupOpensItInsideADialog()
    {
        QDialog dialog;
        auto* dialogTree = new PropertyTree(&dialog);
        PropertyItem* properties = dialogTree->addGroup(nullptr, "Properties");
        dialogTree->addItem(properties, "Name", "ID", "", EditorKind::Text);
        auto* ok = new QPushButton("OK", &dialog);
        ok->setDefault(true);
        connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
        auto* layout = new QVBoxLayout(&dialog);
        layout->addWidget(dialogTree);
        layout->addWidget(ok);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        dialogTree->setCurrentItem(properties);
        dialogTree->setFocus();
        ControlsTest::pressEnter(dialogTree->treeWidget());
        QVERIFY(properties->isExpanded());
        QVERIFY(dialog.isVisible());
        ControlsTest::pressEnter(dialogTree->treeWidget());
        QVERIFY(!properties->isExpanded());
        QCOMPARE(dialog.result(), 0);
    }

    void tabCommitsAndMovesOn()
    {
        QLineEdit* editor = openTextEditor(text);
        QTest::keyClicks(editor, "rivers");
        QTest::keyClick(editor, Qt::Key_Tab);
        QCoreApplication::processEvents();
        QCOMPARE(text->value(), QString("rivers"));
        QVERIFY(tree->currentItem() != text);
    }

    void pickingFromTheDropDownCommitsAtOnce()
    {
        QSignalSpy committed(tree, &PropertyTree::valueCommitted);
        QComboBox* combo = openComboEditor(choice);
        QVERIFY(combo);
        QCOMPARE(combo->currentText(), QString("LINE"));
        combo->showPopup();
        QAbstractItemView* popup = combo->view();
        QTRY_VERIFY(popup->isVisible());
        const QRect polygon = popup->visualRect(popup->model()->index(3, 0));
        QTest::mouseClick(popup->viewport(), Qt::LeftButton, {}, polygon.center());
        QTRY_VERIFY(!tree->isEditing());
        QCOMPARE(choice->value(), QString("POLYGON"));
        QCOMPARE(committed.count(), 1);
    }

    void arrowKeysInTheDropDownWaitForEnter()
    {
        QComboBox* combo = openComboEditor(choice);
        QVERIFY(combo);
        QTest::keyClick(combo, Qt::Key_Down);
        QVERIFY(tree->isEditing());
        QCOMPARE(choice->value(), QString("LINE"));
        ControlsTest::pressEnter(combo);
        QCOMPARE(choice->value(), QString("POLYGON"));
    }

    void valueOutsideAFixedListIsKept()
    {
        choice->setValue("MULTIPOINT");
        QSignalSpy committed(tree, &PropertyTree::valueCommitted);
        QComboBox* combo = openComboEditor(choice);
        QVERIFY(combo);
        QCOMPARE(combo->currentText(), QString("MULTIPOINT"));
        window->elsewhere->setFocus();
        QTRY_VERIFY(!tree->isEditing());
        QCOMPARE(choice->value(), QString("MULTIPOINT"));
        QCOMPARE(committed.count(), 0);
    }

    void editableDropDownTakesTypedText()
    {
        choice->setChoices({"", "POINT", "LINE", "POLYGON"}, true);
        QComboBox* combo = openComboEditor(choice);
        QVERIFY(combo && combo->isEditable());
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo->lineEdit(), "CURVE");
        ControlsTest::pressEnter(combo->lineEdit());
        QCOMPARE(choice->value(), QString("CURVE"));
        QCOMPARE(choice->choices().size(), 4);
        // The typed text was not added to the list for the next editor.
        combo = openComboEditor(choice);
        QVERIFY(combo);
        QCOMPARE(combo->count(), 4);
        QTest::keyClick(combo->lineEdit(), Qt::Key_Escape);
    }

    void spaceFlipsTrueFalse()
    {
        QSignalSpy committed(tree, &PropertyTree::valueCommitted);
        tree->setCurrentItem(flag);
        tree->treeWidget()->setFocus();
        QTest::keyClick(tree->treeWidget(), Qt::Key_Space);
        QCOMPARE(flag->value(), QString("False"));
        QVERIFY(!flag->isTrue());
        QTest::keyClick(tree->treeWidget(), Qt::Key_Space);
        QCOMPARE(flag->value(), QString("True"));
        QCOMPARE(committed.count(), 2);
        QVERIFY(!tree->isEditing());
    }

    void spaceFlipIsRefusable()
    {
        connect(tree, &PropertyTree::valueCommitted, this,
                [](PropertyItem*, const QString&, const QString&, CommitDecision* decision) { decision->refuse(); });
        tree->setCurrentItem(flag);
        tree->treeWidget()->setFocus();
        QTest::keyClick(tree->treeWidget(), Qt::Key_Space);
        QCOMPARE(flag->value(), QString("True"));
    }

    void trueFalseWithItsOwnTexts()
    {
        flag->setChoices({"TRUE", "FALSE"});
        flag->setValue("true");  // as typed into a file
        QVERIFY(flag->isTrue());
        QSignalSpy committed(tree, &PropertyTree::valueCommitted);
        QComboBox* combo = openComboEditor(flag);
        QVERIFY(combo);
        QCOMPARE(combo->count(), 2);
        QCOMPARE(combo->currentText(), QString("TRUE"));
        ControlsTest::pressEnter(combo);  // no choice made: the text stays as it was
        QCOMPARE(flag->value(), QString("true"));
        QCOMPARE(committed.count(), 0);
        combo = openComboEditor(flag);
        QTest::keyClick(combo, Qt::Key_Down);
        ControlsTest::pressEnter(combo);
        QCOMPARE(flag->value(), QString("FALSE"));
        QTest::keyClick(tree->treeWidget(), Qt::Key_Space);
        QCOMPARE(flag->value(), QString("TRUE"));
    }
};

QTEST_MAIN(PropertyTreeEditingTest)
#include "PropertyTreeEditingTest.moc"
