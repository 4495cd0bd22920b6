#include "shell/help/help_topics.h"

namespace tolvane::win32 {

namespace {

struct HelpTopic {
  std::u16string_view captionEnd;
  std::u16string_view topic;
};

constexpr HelpTopic kCaptionTopics[] = {
    {u"chore", u"::/helpCreateChoreTl.htm"},       {u"chore list", u"::/helpCreateChoreTl.htm"},
    // The picker's caption ends with "window" when it picks a window and
    // with "menu/button" otherwise: both show the picker's topic.
    {u"window", u"::/helpSelectMessageTl.htm"},    {u"menu/button", u"::/helpSelectMessageTl.htm"},
    {u"Keys", u"::/helpViewHotKeysTl.htm"},
    {u"schedule", u"::/helpViewSchedulesTl.htm"},  {u"Wizard", u"::/helpWizardTl.htm"},
    {u"Options", u"::/helpViewOptionsTl.htm"},
};

}  // namespace

std::u16string_view helpTopicForCaption(std::u16string_view caption) {
  for (const HelpTopic& entry : kCaptionTopics) {
    if (caption.ends_with(entry.captionEnd)) return entry.topic;
  }
  return kMainHelpTopic;
}

}  // namespace tolvane::win32
