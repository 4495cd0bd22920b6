#pragma once
// COM on the calling thread for the lifetime of the object, in a
// single-threaded apartment. Nested uses balance; a thread already in the
// multithreaded apartment stays there and is not uninitialised.

#include <objbase.h>

namespace tolvane::win32 {

class ComApartment {
 public:
  ComApartment() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComApartment() {
    if (initialised_) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool initialised_;
};

}  // namespace tolvane::win32
