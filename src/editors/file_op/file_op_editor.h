#pragma once
// The file-operation editor's rules: the sources shown sorted and without
// duplicates, what choosing an operation does to the destination, and the
// checks of Add in their order. The view shows what this holds and does
// the follow-up each change asks for.

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "editors/refusal.h"
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

// The fields a refusal of Add names.
enum class FileOpField { Sources, Destination };

// What the controls hold: the operation's radio button (a FileOpType), the
// selected source (-1: none), the destination and the confirmation box.
struct FileOpForm {
  int type = FILEOP_COPY;
  int selected = -1;
  std::u16string destination;
  bool confirm = false;
};

struct FileOpOpening {
  std::u16string caption;
  FileOpForm form;
};

class FileOpEditor {
 public:
  explicit FileOpEditor(const FileOperation& operation);

  FileOpOpening open() const;
  // What the controls show now.
  FileOpForm form() const;

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

  // What the user typed, ticked or selected in the controls; the
  // operation changes only through chooseType.
  void update(const FileOpForm& form);
  void select(int index);

  FileOpFollowUp chooseType(FileOpType type);
  // Files chosen in the open-file dialog.
  FileOpFollowUp addSources(const std::vector<std::u16string>& files);
  // A folder chosen in the destination browser.
  FileOpFollowUp setBrowsedDestination(std::u16string folder);
  FileOpFollowUp removeSelected();

  // Add: the checks in order; the finished group when they pass.
  Submission<FileOperation> submit(const FileOpForm& form);

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
