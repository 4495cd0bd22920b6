// The markup document over any text: loading must end with an index or an
// error text, and walking, reading and editing what loaded must stay inside
// the text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "library/chore_file_format.h"
#include "library/xml_doc.h"

namespace {

void walk(tolvane::CXmlDoc& doc) {
  int budget = 10000;
  while (budget-- > 0 && doc.findChildElement({})) {
    (void)doc.childText();
    (void)doc.childInt();
    (void)doc.childAttribute(u"name");
    doc.enterChild();
    if (doc.findChildElement({})) (void)doc.childText();
    doc.leaveElement();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  std::u16string text = tolvane::fromFileBytes(bytes).text;

  tolvane::CXmlDoc doc;
  const bool loaded = doc.loadText(text);
  if (!loaded && !text.empty() && doc.error().empty()) __builtin_trap();
  walk(doc);
  if (!loaded) return 0;

  // Edits keep the index in step with the text: a parse of the edited text
  // sees the same elements.
  doc.setCursor({});
  if (doc.findElement()) {
    doc.setAttribute(doc.cursor().mainPos, u"name", u"a&\"<>'");
    doc.enterChild();
    doc.addElement(u"added", u"x<y");
    doc.setAttribute(doc.cursor().mainPos, u"k", u"v");
    doc.enterChild();
    doc.addElement(u"inner", u"");
  }
  tolvane::CXmlDoc again;
  if (!again.loadText(doc.documentText())) __builtin_trap();
  if (again.positionCount() != doc.positionCount()) __builtin_trap();
  return 0;
}
