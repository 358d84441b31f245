// Forward declarations of the property tree's classes, for the headers of
// windows that hold a tree and handle its commits without needing the
// full definitions.
#pragma once

namespace GxfControls {
class CommitDecision;
class PropertyItem;
class PropertyTree;
}  // namespace GxfControls
