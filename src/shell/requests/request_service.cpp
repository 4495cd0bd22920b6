#include "shell/requests/request_service.h"

#include "engine/requests/request_desk.h"

namespace tolvane::win32 {

RequestService::RequestService(TolvaneCore& core, HWND window, std::function<bool()> exiting)
    : core_(core),
      window_(window),
      exiting_(std::move(exiting)),
      handOff_(core.sync()),
      server_(
          [this](const Request& request) {
            return handOff_.handOff(request, [this] { PostMessageW(window_, kServeMessage, 0, 0); }, kWindowWaitMs);
          },
          core.log()) {}

RequestService::~RequestService() {
  handOff_.close();
  server_.stop();
}

// Busy while hot keys are suspended for an editor, the wizard or the
// hot-key view: they change the library a request would use.
bool RequestService::busy() { return exiting_() || core_.hotKeysSuspended(); }

void RequestService::serve() {
  const RequestDeskServices desk{
      core_.library(),
      [this] { return busy(); },
      [this](const Chore& chore) { return core_.queueChore(chore); },
      [this](std::u16string_view name) { return core_.startList(name); },
      [this](std::u16string_view name) { return core_.stopList(name); },
  };
  handOff_.serve([&desk](const Request& request) { return decideRequest(request, desk); });
}

}  // namespace tolvane::win32
