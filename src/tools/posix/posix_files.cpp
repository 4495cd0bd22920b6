#include "tools/posix/posix_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "base/text.h"

namespace tolvane {
namespace {

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  bool close() {
    const bool ok = ::close(fd_) == 0;
    fd_ = -1;
    return ok;
  }

 private:
  int fd_;
};

bool writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// errno, which is 2 for a missing file as on Windows; never 0 after a
// failure.
std::uint32_t lastError() { return errno != 0 ? static_cast<std::uint32_t>(errno) : EIO; }

bool statIs(std::u16string_view path, mode_t kind) {
  struct stat info {};
  return ::stat(toUtf8(path).c_str(), &info) == 0 && (info.st_mode & S_IFMT) == kind;
}

}  // namespace

bool PosixFiles::fileExists(std::u16string_view path) const { return statIs(path, S_IFREG); }

bool PosixFiles::folderExists(std::u16string_view path) const { return statIs(path, S_IFDIR); }

std::optional<std::string> PosixFiles::readFile(std::u16string_view path) const {
  Descriptor file(::open(toUtf8(path).c_str(), O_RDONLY | O_CLOEXEC));
  if (file.get() < 0) return std::nullopt;
  std::string bytes;
  char buffer[1 << 16];
  for (;;) {
    const ssize_t got = ::read(file.get(), buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return std::nullopt;
    if (got == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  return bytes;
}

std::uint32_t PosixFiles::writeFile(std::u16string_view path, std::string_view bytes) {
  Descriptor file(::open(toUtf8(path).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
  if (file.get() < 0) return lastError();
  std::uint32_t error = 0;
  if (!writeAll(file.get(), bytes) || ::fsync(file.get()) != 0) error = lastError();
  if (!file.close() && error == 0) error = lastError();
  return error;
}

std::uint32_t PosixFiles::moveFile(std::u16string_view from, std::u16string_view to) {
  return std::rename(toUtf8(from).c_str(), toUtf8(to).c_str()) == 0 ? 0 : lastError();
}

std::uint32_t PosixFiles::removeFile(std::u16string_view path) {
  return ::unlink(toUtf8(path).c_str()) == 0 ? 0 : lastError();
}

std::uint32_t PosixFiles::copyFile(std::u16string_view from, std::u16string_view to) {
  const auto bytes = readFile(from);
  if (!bytes) return lastError();
  if (const std::uint32_t error = replaceFile(to, *bytes)) return error;
  struct stat info {};
  if (::stat(toUtf8(from).c_str(), &info) == 0) {
    const struct timespec times[2] = {info.st_atim, info.st_mtim};
    ::utimensat(AT_FDCWD, toUtf8(to).c_str(), times, 0);
  }
  return 0;
}

std::optional<LocalTime> PosixFiles::lastWriteTime(std::u16string_view path) const {
  struct stat info {};
  struct tm local {};
  if (::stat(toUtf8(path).c_str(), &info) != 0 || !::localtime_r(&info.st_mtime, &local)) return std::nullopt;
  return LocalTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                   local.tm_sec, local.tm_wday, 0};
}

std::u16string PosixFiles::errorText(std::uint32_t code) const {
  return toU16(std::strerror(static_cast<int>(code)));
}

std::optional<std::vector<FolderEntry>> PosixFiles::folderEntries(std::u16string_view folder) const {
  const std::string path = toUtf8(folder);
  DIR* listing = ::opendir(path.c_str());
  if (!listing) return std::nullopt;
  std::vector<FolderEntry> entries;
  while (const dirent* entry = ::readdir(listing)) {
    const std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    const std::u16string wideName = toU16(name);
    // Dot files are the hidden ones here.
    entries.push_back({wideName, statIs(toU16(path + "/") + wideName, S_IFDIR), name.front() == '.'});
  }
  ::closedir(listing);
  return entries;
}

}  // namespace tolvane
