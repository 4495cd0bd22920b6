#pragma once
// The folder the last explore chore opened. Explore chores on any thread
// write it; start-up of Explorer and the settings at exit read it.

#include <mutex>
#include <string>
#include <string_view>

namespace tolvane {

class LastFolder {
 public:
  void set(std::u16string_view folder) {
    std::scoped_lock lock(mutex_);
    folder_.assign(folder);
  }
  std::u16string get() const {
    std::scoped_lock lock(mutex_);
    return folder_;
  }

 private:
  mutable std::mutex mutex_;
  std::u16string folder_;
};

}  // namespace tolvane
