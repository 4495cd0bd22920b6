#pragma once
// The file-operation editor (dialog 164, "Define file operation"): copy,
// move, delete or rename a list of source files.

#include <windows.h>

#include <optional>

#include "editors/editor_context.h"
#include "library/chore.h"

namespace tolvane::win32 {

// Runs the editor modally on the file operation of `chore`. On Add returns
// the whole new group (fileOpType, fileOpDest, fileOpConfirm and the
// sources, sorted and without duplicates), which the caller copies into
// its chore's fileOp; nothing on Cancel.
std::optional<FileOperation> editFileOperation(HWND parent, const EditorContext& context, const Chore& chore);

}  // namespace tolvane::win32
