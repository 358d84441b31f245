// The tool tree of the main window as one list: label, level, tool code,
// the pane shown and the selector pane above it with its height limit, in
// the order the items are appended. Codes follow the tools, not the order
// ("SDF to SHP" is 6, "SDF to Oracle" 5).
#pragma once

#include <vector>

enum class e_Selector { None, Connection, ConnectionAndClass };

struct c_ToolEntry {
    const char* label;
    bool root;
    int code;
    const char* paneClass;  // null: a root without a pane
    e_Selector selector;
    int selectorHeightLimit;  // 0 without a selector
};

const std::vector<c_ToolEntry>& ToolTable();
// The entry of a tool code, or null.
const c_ToolEntry* FindTool(int code);
