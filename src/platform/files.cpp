#include "platform/files.h"

namespace tolvane {

std::u16string temporaryFileOf(std::u16string_view path) { return std::u16string(path) + u".tolvtmp"; }

std::u16string previousFileOf(std::u16string_view path) { return std::u16string(path) + u".tolvold"; }

std::uint32_t Files::replaceFile(std::u16string_view path, std::string_view bytes) {
  const FileWrite write{std::u16string(path), bytes};
  return replaceFiles(std::span(&write, 1)).error;
}

FileFailure Files::replaceFiles(std::span<const FileWrite> writes) {
  const auto dropTemporaries = [&] {
    for (const FileWrite& write : writes) removeFile(temporaryFileOf(write.path));
  };
  for (const FileWrite& write : writes) {
    if (const std::uint32_t error = writeFile(temporaryFileOf(write.path), write.bytes)) {
      dropTemporaries();
      return {write.path, error};
    }
  }
  // Every file but the last keeps its old contents aside until the last is
  // in place: putting them back is then a rename, which needs no more room.
  std::vector<bool> hadOld(writes.size(), false);
  const auto dropPrevious = [&] {
    for (std::size_t i = 0; i < writes.size(); ++i)
      if (hadOld[i]) removeFile(previousFileOf(writes[i].path));
  };
  for (std::size_t i = 0; i + 1 < writes.size(); ++i) {
    if (!fileExists(writes[i].path)) continue;
    if (const std::uint32_t error = copyFile(writes[i].path, previousFileOf(writes[i].path))) {
      dropTemporaries();
      dropPrevious();
      return {writes[i].path, error};
    }
    hadOld[i] = true;
  }
  for (std::size_t i = 0; i < writes.size(); ++i) {
    const std::uint32_t error = moveFile(temporaryFileOf(writes[i].path), writes[i].path);
    if (error == 0) continue;
    for (std::size_t j = 0; j < i; ++j) {
      if (hadOld[j]) {
        moveFile(previousFileOf(writes[j].path), writes[j].path);
        hadOld[j] = false;
      } else {
        removeFile(writes[j].path);
      }
    }
    dropTemporaries();
    dropPrevious();
    return {writes[i].path, error};
  }
  dropPrevious();
  return {};
}

}  // namespace tolvane
