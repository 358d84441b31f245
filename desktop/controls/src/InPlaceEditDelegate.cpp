#include "InPlaceEditDelegate.h"

#include "InPlaceComboBox.h"

#include <QLineEdit>

namespace GxfControls {

namespace {

// Set once per editor: later model changes (a pane updating the tooltip or
// another column of the row) must not overwrite what the user is typing.
const char* const kFilledProperty = "gxfEditorFilled";
// The value the editor opened with.
const char* const kOriginalProperty = "gxfEditorOriginal";

} // namespace

InPlaceEditDelegate::InPlaceEditDelegate(SpecSource specFor, Committer commit, QObject* parent)
    : QStyledItemDelegate(parent), m_specFor(std::move(specFor)), m_commit(std::move(commit))
{
}

QWidget* InPlaceEditDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                           const QModelIndex& index) const
{
    const EditorSetup setup = m_specFor(index);
    QWidget* editor = nullptr;
    switch (setup.kind) {
    case EditorKind::ReadOnly:
        break;
    case EditorKind::Text: {
        auto* edit = new QLineEdit(parent);
        edit->setFrame(false);
        editor = edit;
        break;
    }
    case EditorKind::DropDown:
    case EditorKind::TrueFalse:
        editor = createComboBox(parent, setup);
        break;
    }
    m_openEditor = editor;
    return editor;
}

void InPlaceEditDelegate::destroyEditor(QWidget* editor, const QModelIndex& index) const
{
    if (m_openEditor == editor)
        m_openEditor = nullptr;
    QStyledItemDelegate::destroyEditor(editor, index);
}

QWidget* InPlaceEditDelegate::createComboBox(QWidget* parent, const EditorSetup& setup) const
{
    auto* combo = new InPlaceComboBox(parent);
    if (setup.kind == EditorKind::TrueFalse) {
        combo->addItems(setup.trueFalseTexts());
    } else {
        combo->addItems(setup.choices);
        combo->setEditable(setup.choicesEditable);
    }
    auto* self = const_cast<InPlaceEditDelegate*>(this);
    connect(combo, &InPlaceComboBox::choicePicked, self, [self, combo] {
        emit self->commitData(combo);
        emit self->closeEditor(combo, QAbstractItemDelegate::NoHint);
    });
    return combo;
}

void InPlaceEditDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    if (editor->property(kFilledProperty).toBool())
        return;
    editor->setProperty(kFilledProperty, true);
    const QString value = index.data(Qt::EditRole).toString();
    editor->setProperty(kOriginalProperty, value);
    if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        edit->setText(value);
        edit->selectAll();
        return;
    }
    auto* combo = qobject_cast<QComboBox*>(editor);
    if (!combo)
        return;
    const EditorSetup setup = m_specFor(index);
    const Qt::MatchFlags match = setup.kind == EditorKind::TrueFalse
        ? Qt::MatchFixedString              // case-insensitive: "TRUE" selects "True"
        : Qt::MatchExactly | Qt::MatchCaseSensitive;
    int row = combo->findText(value, match);
    if (row < 0 && !combo->isEditable()) {
        // A value outside a fixed list is offered as it stands, so opening
        // and leaving the editor never changes it behind the user's back.
        combo->insertItem(0, value);
        row = 0;
    }
    combo->setCurrentIndex(row);
    if (combo->isEditable())
        combo->setEditText(value);
}

void InPlaceEditDelegate::setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const
{
    QString text;
    if (auto* edit = qobject_cast<QLineEdit*>(editor))
        text = edit->text();
    else if (auto* combo = qobject_cast<QComboBox*>(editor))
        text = combo->currentText();
    else
        return;
    // "true" shows as the choice "True"; leaving it there is no edit.
    const QString original = editor->property(kOriginalProperty).toString();
    if (m_specFor(index).kind == EditorKind::TrueFalse && text.compare(original, Qt::CaseInsensitive) == 0)
        text = original;
    m_commit(index, text);
}

void InPlaceEditDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                               const QModelIndex&) const
{
    editor->setGeometry(option.rect);
}

QSize InPlaceEditDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(qMax(size.height(), editorRowHeight()));
    return size;
}

int InPlaceEditDelegate::editorRowHeight() const
{
    if (m_editorRowHeight == 0) {
        QComboBox probe;
        probe.addItem(QStringLiteral("Xy"));
        m_editorRowHeight = probe.sizeHint().height();
    }
    return m_editorRowHeight;
}

} // namespace GxfControls
