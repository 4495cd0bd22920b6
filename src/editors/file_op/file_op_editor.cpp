#include "editors/file_op/file_op_editor.h"

#include <algorithm>

#include "editors/name_order.h"

namespace tolvane {

namespace {

FileOpType knownType(std::int32_t value) {
  return value >= FILEOP_COPY && value <= FILEOP_RENAME ? static_cast<FileOpType>(value) : FILEOP_COPY;
}

}  // namespace

FileOpEditor::FileOpEditor(const FileOperation& operation)
    : type_(knownType(operation.fileOpType)),
      storedSources_(operation.fileOpSource),
      destination_(operation.fileOpDest),
      confirm_(operation.fileOpConfirm) {
  for (const std::u16string& path : operation.fileOpSource) insertSource(path);
  selected_ = sources_.empty() ? -1 : 0;
}

FileOpOpening FileOpEditor::open() const { return {u"Define file operation", form()}; }

FileOpForm FileOpEditor::form() const { return {type_, selected_, destination_, confirm_}; }

void FileOpEditor::update(const FileOpForm& form) {
  destination_ = form.destination;
  confirm_ = form.confirm;
  select(form.selected);
}

void FileOpEditor::select(int index) {
  selected_ = index >= 0 && index < static_cast<int>(sources_.size()) ? index : -1;
}

FileOpFollowUp FileOpEditor::chooseType(FileOpType type) {
  type_ = knownType(type);
  switch (type_) {
    case FILEOP_DELETE:
      destination_.clear();
      return FileOpFollowUp::None;
    case FILEOP_RENAME:
      return offerFirstSourceAsNewName();
    default:
      return sources_.empty() ? FileOpFollowUp::None : FileOpFollowUp::BrowseDestination;
  }
}

FileOpFollowUp FileOpEditor::addSources(const std::vector<std::u16string>& files) {
  if (files.empty()) return FileOpFollowUp::None;
  sourcesChanged_ = true;
  for (const std::u16string& path : files) selected_ = insertSource(path);
  if (type_ == FILEOP_RENAME) return offerFirstSourceAsNewName();
  return FileOpFollowUp::FocusSources;
}

FileOpFollowUp FileOpEditor::setBrowsedDestination(std::u16string folder) {
  destination_ = std::move(folder);
  return FileOpFollowUp::EditDestination;
}

FileOpFollowUp FileOpEditor::removeSelected() {
  if (selected_ < 0) return FileOpFollowUp::None;
  sourcesChanged_ = true;
  sources_.erase(sources_.begin() + selected_);
  selected_ = std::min(selected_, static_cast<int>(sources_.size()) - 1);
  return FileOpFollowUp::FocusSources;
}

Submission<FileOperation> FileOpEditor::submit(const FileOpForm& form) {
  update(form);
  if (sources_.empty()) return Refusal::at(std::u16string(kNoSourceFile), FileOpField::Sources);
  if (type_ != FILEOP_DELETE && (destination_.empty() || destination_ == kEnterDestination)) {
    destination_ = kEnterDestination;
    return Refusal::prompting(std::u16string(kEnterDestination), FileOpField::Destination);
  }
  return FileOperation{type_, destination_, confirm_, sourcesChanged_ ? sources_ : storedSources_};
}

FileOpFollowUp FileOpEditor::offerFirstSourceAsNewName() {
  if (sources_.empty()) return FileOpFollowUp::None;
  destination_ = sources_.front();
  return FileOpFollowUp::EditDestination;
}

int FileOpEditor::insertSource(const std::u16string& path) {
  const auto at = std::lower_bound(sources_.begin(), sources_.end(), path, sortsBeforeIgnoringCase);
  const int index = static_cast<int>(at - sources_.begin());
  if (at == sources_.end() || *at != path) sources_.insert(at, path);
  return index;
}

}  // namespace tolvane
