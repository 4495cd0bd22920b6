#include "companion/last_doc.h"

#include <mutex>

#include "base/format.h"

namespace tolvane::companion {
namespace {

std::mutex lastDocLock;
std::u16string lastDocText;

}  // namespace

void storeLastDoc(std::u16string_view text) {
  std::lock_guard lock(lastDocLock);
  lastDocText = text.substr(0, kLastDocCapacity - 1);
}

std::u16string lastDoc() {
  std::lock_guard lock(lastDocLock);
  return lastDocText;
}

std::u16string navigateErrorText(std::uint32_t statusCode) {
  return formatText(u"Navigate Error code: %08.8x", statusCode);
}

}  // namespace tolvane::companion
