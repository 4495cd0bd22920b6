#include "platform/key_names.h"

#include "base/format.h"

namespace tolvane {
namespace {

constexpr std::uint8_t kModShift = 0x01;
constexpr std::uint8_t kModControl = 0x02;
constexpr std::uint8_t kModAlt = 0x04;

struct NamedKey {
  std::uint8_t virtualKey;
  const char16_t* name;
};

// Keys whose name is not their own character, with the names Windows'
// US-English keyboard layout gives them.
constexpr NamedKey kNamedKeys[] = {
    {0x03, u"Break"},       {0x08, u"Backspace"},   {0x09, u"Tab"},        {0x0C, u"Clear"},
    {0x0D, u"Enter"},       {0x13, u"Pause"},       {0x14, u"Caps Lock"},  {0x1B, u"Esc"},
    {0x20, u"Space"},       {0x21, u"Page Up"},     {0x22, u"Page Down"},  {0x23, u"End"},
    {0x24, u"Home"},        {0x25, u"Left"},        {0x26, u"Up"},         {0x27, u"Right"},
    {0x28, u"Down"},        {0x2C, u"Print Screen"}, {0x2D, u"Insert"},    {0x2E, u"Delete"},
    {0x5B, u"Left Windows"}, {0x5C, u"Right Windows"}, {0x5D, u"Application"},
    {0x6A, u"Num *"},       {0x6B, u"Num +"},       {0x6C, u"Separator"},  {0x6D, u"Num -"},
    {0x6E, u"Num Del"},     {0x6F, u"Num /"},       {0x90, u"Num Lock"},   {0x91, u"Scroll Lock"},
    {0xBA, u";"},           {0xBB, u"="},           {0xBC, u","},          {0xBD, u"-"},
    {0xBE, u"."},           {0xBF, u"/"},           {0xC0, u"`"},          {0xDB, u"["},
    {0xDC, u"\\"},          {0xDD, u"]"},           {0xDE, u"'"},
};

std::u16string keyOnlyName(std::uint8_t virtualKey) {
  if ((virtualKey >= '0' && virtualKey <= '9') || (virtualKey >= 'A' && virtualKey <= 'Z'))
    return std::u16string(1, static_cast<char16_t>(virtualKey));
  if (virtualKey >= 0x60 && virtualKey <= 0x69) return formatText(u"Num %d", virtualKey - 0x60);
  if (virtualKey >= 0x70 && virtualKey <= 0x87) return formatText(u"F%d", virtualKey - 0x70 + 1);
  for (const auto& key : kNamedKeys)
    if (key.virtualKey == virtualKey) return key.name;
  return formatText(u"Key %02.2x", virtualKey);
}

}  // namespace

std::u16string portableKeyName(std::uint16_t hotKeyControlValue) {
  const auto virtualKey = static_cast<std::uint8_t>(hotKeyControlValue & 0xFF);
  const auto modifiers = static_cast<std::uint8_t>(hotKeyControlValue >> 8);
  if (virtualKey == 0) return {};
  std::u16string name;
  if (modifiers & kModControl) name += u"Ctrl + ";
  if (modifiers & kModShift) name += u"Shift + ";
  if (modifiers & kModAlt) name += u"Alt + ";
  return name + keyOnlyName(virtualKey);
}

}  // namespace tolvane
