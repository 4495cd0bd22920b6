#pragma once
// Message boxes answered by the test; every box shown is recorded.

#include <deque>
#include <string>
#include <vector>

#include "platform/prompts.h"

namespace tolvane::test {

class FakePrompts : public Prompts {
 public:
  enum class Kind { Question, RetryCancel, Error, Warning };
  struct Shown {
    Kind kind;
    std::u16string text;
    std::u16string caption;
  };

  bool askYesNo(std::u16string_view text, std::u16string_view caption) override;
  bool askRetryCancel(std::u16string_view text, std::u16string_view caption) override;
  void showError(std::u16string_view text, std::u16string_view caption) override;
  void showWarning(std::u16string_view text, std::u16string_view caption) override;

  // Answers for the next questions, in order (true for Yes or Retry); No
  // or Cancel once they run out.
  void answer(bool yes) { answers_.push_back(yes); }

  const std::vector<Shown>& shown() const { return shown_; }

 private:
  bool ask(Kind kind, std::u16string_view text, std::u16string_view caption);

  std::deque<bool> answers_;
  std::vector<Shown> shown_;
};

}  // namespace tolvane::test
