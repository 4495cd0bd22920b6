#pragma once
// The file-operation editor's rules: the sources shown sorted and without
// duplicates, what choosing an operation does to the destination, and the
// checks of Add in their order. The view shows what this holds and does
// the follow-up each change asks for.

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "library/chore.h"

namespace tolvane {

inline constexpr std::u16string_view kEnterDestination = u"Enter destination here.";
inline constexpr std::u16string_view kNoSourceFile = u"You must specify at least one source file.";

// What the view does after a change, besides showing the editor again.
enum class FileOpFollowUp {
  None,
  // Open the destination folder browser.
  BrowseDestination,
  // Focus the destination with its whole text selected.
  EditDestination,
  // Focus the source list.
  FocusSources,
};

// Add refused: a message box (when the message is not empty) and where
// the focus goes.
struct FileOpRefusal {
  std::u16string message;
  FileOpFollowUp focus = FileOpFollowUp::None;
};

class FileOpEditor {
 public:
  explicit FileOpEditor(const FileOperation& operation);

  FileOpType type() const { return type_; }
  // In the order shown and stored.
  const std::vector<std::u16string>& sources() const { return sources_; }
  // The selected source; -1 for none.
  int selected() const { return selected_; }
  const std::u16string& destination() const { return destination_; }
  bool confirm() const { return confirm_; }

  // Only a new name is typed; folders come from the browser.
  bool destinationWritable() const { return type_ == FILEOP_RENAME; }
  bool destinationBrowsable() const { return type_ == FILEOP_COPY || type_ == FILEOP_MOVE; }
  // A rename renames one file.
  bool severalSourcesAtOnce() const { return type_ != FILEOP_RENAME; }

  // What the user typed, ticked or clicked in the controls.
  void setDestination(std::u16string text) { destination_ = std::move(text); }
  void setConfirm(bool confirm) { confirm_ = confirm; }
  void select(int index);

  FileOpFollowUp chooseType(FileOpType type);
  // Files chosen in the open-file dialog.
  FileOpFollowUp addSources(const std::vector<std::u16string>& files);
  // A folder chosen in the destination browser.
  FileOpFollowUp setBrowsedDestination(std::u16string folder);
  FileOpFollowUp removeSelected();

  // The checks of Add in order; the finished group when they pass.
  std::variant<FileOperation, FileOpRefusal> accept();

 private:
  // A rename starts from the old path, which the user edits into the new.
  FileOpFollowUp offerFirstSourceAsNewName();
  // Where a path goes in the sorted list; its index when already there.
  int insertSource(const std::u16string& path);

  FileOpType type_;
  std::vector<std::u16string> sources_;
  // As stored: accepted without a source added or removed, the sources
  // keep this order rather than the list's.
  std::vector<std::u16string> storedSources_;
  bool sourcesChanged_ = false;
  int selected_ = -1;
  std::u16string destination_;
  bool confirm_;
};

}  // namespace tolvane
