#include "support/fake_prompts.h"

namespace tolvane::test {

bool FakePrompts::askYesNo(std::u16string_view text, std::u16string_view caption) {
  return ask(Kind::Question, text, caption);
}

bool FakePrompts::askRetryCancel(std::u16string_view text, std::u16string_view caption) {
  return ask(Kind::RetryCancel, text, caption);
}

bool FakePrompts::ask(Kind kind, std::u16string_view text, std::u16string_view caption) {
  shown_.push_back({kind, std::u16string(text), std::u16string(caption)});
  if (answers_.empty()) return false;
  const bool yes = answers_.front();
  answers_.pop_front();
  return yes;
}

void FakePrompts::showError(std::u16string_view text, std::u16string_view caption) {
  shown_.push_back({Kind::Error, std::u16string(text), std::u16string(caption)});
}

void FakePrompts::showWarning(std::u16string_view text, std::u16string_view caption) {
  shown_.push_back({Kind::Warning, std::u16string(text), std::u16string(caption)});
}

}  // namespace tolvane::test
