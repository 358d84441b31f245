// The kinds of in-place editor a property tree item or an editable list
// column can have. Every control of the library shares these, so a pane
// says "this value is a True/False choice" the same way in a tree and in a
// list.
//
//   ReadOnly   shown, never edited
//   Text       a one-line text field
//   DropDown   a list of fixed choices; with "choices editable" the user may
//              also type a text that is not in the list
//   TrueFalse  a choice of two texts, "True" and "False" unless the item or
//              column names its own pair (for example "TRUE"/"FALSE"); the
//              Space key flips the value without opening an editor
//
// A flag whose text must stay as the user typed it (read elsewhere as true
// when it says "TRUE" in any case) is an editable DropDown of "TRUE" and
// "FALSE" rather than a TrueFalse choice, which offers only its two texts.
//
// Example:
//   item->setEditorKind(GxfControls::EditorKind::TrueFalse);
//   list->setColumnEditor(0, GxfControls::EditorKind::DropDown, {"POINT", "LINE"});
#pragma once

namespace GxfControls {

enum class EditorKind { ReadOnly, Text, DropDown, TrueFalse };

} // namespace GxfControls
