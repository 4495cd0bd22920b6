#include "engine/hotkeys/key_capture.h"

namespace tolvane {

void KeyCapture::start() {
  {
    std::scoped_lock lock(mutex_);
    keys_.clear();
  }
  active_.store(true);
}

void KeyCapture::record(CapturedKey key) {
  if (key.windowTitle == kWizardTitle) return;
  std::scoped_lock lock(mutex_);
  keys_.push_back(std::move(key));
}

std::vector<CapturedKey> KeyCapture::keys() const {
  std::scoped_lock lock(mutex_);
  return keys_;
}

}  // namespace tolvane
