#include "shell/app/crash_filter.h"

#include <windows.h>
// dbghelp.h needs the Windows types first.
#include <dbghelp.h>

#include <cstddef>
#include <cstdint>

#include "platform/win32/system_library.h"
#include "platform/win32/common/owned_handle.h"
#include "platform/win32/common/wide.h"
#include "shell/logs/log_writers.h"

namespace tolvane::win32 {

namespace {

using MiniDumpWriteDumpFunction = BOOL(WINAPI*)(HANDLE, DWORD, HANDLE, MINIDUMP_TYPE, PMINIDUMP_EXCEPTION_INFORMATION,
                                                PMINIDUMP_USER_STREAM_INFORMATION, PMINIDUMP_CALLBACK_INFORMATION);

constexpr std::size_t kPathCapacity = 1024;
constexpr std::size_t kNoteCapacity = 512;
constexpr MINIDUMP_TYPE kDumpType =
    static_cast<MINIDUMP_TYPE>(MiniDumpNormal | MiniDumpWithThreadInfo | MiniDumpWithUnloadedModules);

// ASCII text in a fixed buffer: the note is built without the heap.
class NoteText {
 public:
  void clear() { length_ = 0; }
  void add(const char* text) {
    while (*text) put(*text++);
  }
  // Wide text, one byte per character; anything outside ASCII becomes '?'.
  void addWide(const wchar_t* text) {
    for (; *text; ++text) put(*text < 0x80 ? static_cast<char>(*text) : '?');
  }
  void addHex(std::uint64_t value, int minDigits = 1) { addNumber(value, 16, minDigits); }
  void addDecimal(std::uint64_t value, int minDigits = 1) { addNumber(value, 10, minDigits); }
  const char* data() const { return buffer_; }
  DWORD size() const { return static_cast<DWORD>(length_); }

 private:
  void put(char c) {
    if (length_ < kNoteCapacity) buffer_[length_++] = c;
  }
  void addNumber(std::uint64_t value, unsigned base, int minDigits) {
    char digits[24];
    int count = 0;
    do {
      digits[count++] = "0123456789abcdef"[value % base];
      value /= base;
    } while (value != 0);
    for (int pad = count; pad < minDigits; ++pad) put('0');
    while (count > 0) put(digits[--count]);
  }

  char buffer_[kNoteCapacity] = {};
  std::size_t length_ = 0;
};

struct CrashFilterState {
  wchar_t dumpPath[kPathCapacity] = {};
  wchar_t notePath[kPathCapacity] = {};
  wchar_t programName[64] = {};  // "Tolvane 1.0 Build 1"
  wchar_t modulePath[kPathCapacity] = {};
  NoteText note;
  MiniDumpWriteDumpFunction writeDump = nullptr;
  volatile LONG entered = 0;
  // The crash the report writer is asked to write, and the two events
  // between it and the filter.
  EXCEPTION_POINTERS* exception = nullptr;
  DWORD crashedThread = 0;
  HANDLE reportRequested = nullptr;
  HANDLE reportWritten = nullptr;
};

CrashFilterState theState;

bool copyInto(wchar_t (&buffer)[kPathCapacity], const std::wstring& text) {
  if (text.size() >= kPathCapacity) return false;
  text.copy(buffer, text.size());
  buffer[text.size()] = L'\0';
  return true;
}

// Returns 0 when the dump was written, else the error code.
DWORD writeDump() {
  if (!theState.writeDump) return ERROR_PROC_NOT_FOUND;
  const FileHandle file(
      CreateFileW(theState.dumpPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return GetLastError();
  MINIDUMP_EXCEPTION_INFORMATION information{theState.crashedThread, theState.exception, FALSE};
  const BOOL written = theState.writeDump(GetCurrentProcess(), GetCurrentProcessId(), file.get(), kDumpType,
                                          &information, nullptr, nullptr);
  const DWORD error = written ? 0 : GetLastError();
  return written ? 0 : (error ? error : ERROR_WRITE_FAULT);
}

// "Tolvane.exe+0x1a2b3 (link address 0x14001a2b3)": the offset survives the
// address-space randomisation, and the link address is what addr2line
// takes with the kept debug information.
void addPlace(NoteText& note, const void* address) {
  HMODULE module = nullptr;
  const auto value = reinterpret_cast<std::uintptr_t>(address);
  if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          static_cast<LPCWSTR>(address), &module) ||
      GetModuleFileNameW(module, theState.modulePath, kPathCapacity) == 0) {
    note.add("0x");
    note.addHex(value);
    return;
  }
  const wchar_t* name = theState.modulePath;
  for (const wchar_t* c = theState.modulePath; *c; ++c) {
    if (*c == L'\\' || *c == L'/') name = c + 1;
  }
  const auto base = reinterpret_cast<std::uintptr_t>(module);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(module);
  const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  note.addWide(name);
  note.add("+0x");
  note.addHex(value - base);
  note.add(" (link address 0x");
  note.addHex(headers->OptionalHeader.ImageBase + (value - base));
  note.add(")");
}

// "2024-05-01 at 12:34:56"
void addLocalTime(NoteText& note, const SYSTEMTIME& time) {
  const struct {
    WORD value;
    int digits;
    const char* after;
  } parts[] = {{time.wYear, 4, "-"},     {time.wMonth, 2, "-"},  {time.wDay, 2, " at "},
               {time.wHour, 2, ":"},     {time.wMinute, 2, ":"}, {time.wSecond, 2, ""}};
  for (const auto& part : parts) {
    note.addDecimal(part.value, part.digits);
    note.add(part.after);
  }
}

void writeNote(DWORD dumpError) {
  const EXCEPTION_RECORD& record = *theState.exception->ExceptionRecord;
  SYSTEMTIME now{};
  GetLocalTime(&now);
  NoteText& note = theState.note;
  note.clear();
  note.addWide(theState.programName);
  note.add(" crashed on ");
  addLocalTime(note, now);
  note.add(": exception ");
  note.addHex(record.ExceptionCode, 8);
  note.add(" at ");
  addPlace(note, record.ExceptionAddress);
  note.add(", thread ");
  note.addDecimal(theState.crashedThread);
  if (dumpError == 0) {
    note.add("; minidump written");
  } else {
    note.add("; no minidump (error ");
    note.addHex(dumpError, 8);
    note.add(")");
  }
  note.add(".\r\n");

  const FileHandle file(CreateFileW(theState.notePath, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return;
  DWORD written = 0;
  WriteFile(file.get(), note.data(), note.size(), &written, nullptr);
}

void writeReport() { writeNote(writeDump()); }

// Waits, from start-up on, for the one crash it will report.
DWORD WINAPI reportWriter(void*) {
  WaitForSingleObject(theState.reportRequested, INFINITE);
  writeReport();
  SetEvent(theState.reportWritten);
  return 0;
}

LONG WINAPI writeCrashReport(EXCEPTION_POINTERS* exception) {
  // A second thread that crashes meanwhile waits: the first one's report
  // ends the process when it is written.
  if (InterlockedExchange(&theState.entered, 1) != 0) Sleep(INFINITE);
  theState.exception = exception;
  theState.crashedThread = GetCurrentThreadId();
  // The report is written on the writer's own stack: after a stack
  // overflow, the crashed thread has too little left for a minidump. A
  // writer that hangs (the loader lock held by the crashed thread, say)
  // does not keep the broken process alive.
  constexpr DWORD kReportTimeoutMs = 30000;
  if (theState.reportRequested) {
    SignalObjectAndWait(theState.reportRequested, theState.reportWritten, kReportTimeoutMs, FALSE);
  } else {
    writeReport();
  }
  return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

bool installCrashFilter(const std::wstring& folder) {
  if (!copyInto(theState.dumpPath, folder + kCrashDumpName) || !copyInto(theState.notePath, folder + kCrashNoteName)) {
    return false;
  }
  const std::wstring name = L"Tolvane " + toWide(versionText(GetModuleHandleW(nullptr)));
  name.copy(theState.programName, std::size(theState.programName) - 1);

  // Loaded now, not in the filter: loading a DLL takes the loader lock,
  // which the crashing thread may hold. Not linked either: Tolvane runs
  // without dbghelp.dll, only its crash report goes without a minidump.
  if (HMODULE dbghelp = loadSystemLibrary(L"dbghelp.dll")) {
    theState.writeDump = reinterpret_cast<MiniDumpWriteDumpFunction>(
        reinterpret_cast<void*>(GetProcAddress(dbghelp, "MiniDumpWriteDump")));
  }
  theState.reportRequested = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  theState.reportWritten = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  HANDLE writer = theState.reportRequested && theState.reportWritten
                      ? CreateThread(nullptr, 0, reportWriter, nullptr, 0, nullptr)
                      : nullptr;
  if (writer) {
    CloseHandle(writer);
  } else {
    theState.reportRequested = nullptr;
  }
  // Windows otherwise swallows exceptions raised in timer callbacks, and a
  // broken program would run on instead of reporting.
  BOOL suppress = FALSE;
  SetUserObjectInformationW(GetCurrentProcess(), UOI_TIMERPROC_EXCEPTION_SUPPRESSION, &suppress, sizeof(suppress));
  SetUnhandledExceptionFilter(writeCrashReport);
  return true;
}

}  // namespace tolvane::win32
