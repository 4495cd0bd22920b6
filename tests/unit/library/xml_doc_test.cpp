#include "library/xml_doc.h"

#include <gtest/gtest.h>

#include <string>

#include "base/text.h"

namespace tolvane {
namespace {

// Every element's offsets, as a parse of the text would give them.
void expectIndexMatchesReparse(const CXmlDoc& edited) {
  CXmlDoc reparsed;
  ASSERT_TRUE(reparsed.loadText(edited.documentText())) << reparsed.error().size();
  ASSERT_EQ(reparsed.positionCount(), edited.positionCount());
  // Elements added by addElement are numbered in the order they were added,
  // which for documents built front to back is document order too.
  for (int i = 1; i < edited.positionCount(); ++i) {
    const ElemSpan& a = edited.span(i);
    const ElemSpan& b = reparsed.span(i);
    EXPECT_EQ(a.startOpen, b.startOpen) << i;
    EXPECT_EQ(a.startClose, b.startClose) << i;
    EXPECT_EQ(a.endOpen, b.endOpen) << i;
    EXPECT_EQ(a.endClose, b.endClose) << i;
    EXPECT_EQ(a.parent, b.parent) << i;
    EXPECT_EQ(a.firstChild, b.firstChild) << i;
    EXPECT_EQ(a.nextSibling, b.nextSibling) << i;
  }
}

std::u16string loadError(std::u16string text) {
  CXmlDoc doc;
  EXPECT_FALSE(doc.loadText(text));
  return doc.error();
}

TEST(XmlDoc, ParseErrorsNameTheProblem) {
  EXPECT_EQ(loadError(u"no markup here"), u"Element tag not found");
  EXPECT_EQ(loadError(u"<a><b></a>"), u"End tag does not correspond to b");
  EXPECT_EQ(loadError(u"<a><b></b>"), u"End tag of a element not found");
  EXPECT_EQ(loadError(u"<a>text</a"), u"End tag not completed for element a");
  EXPECT_EQ(loadError(u"<a>text</a x>"), u"End tag not completed for element a");
  EXPECT_EQ(loadError(u"<a><=></a>"), u"Expecting end tag of element a");
  EXPECT_EQ(loadError(u"<a x=\"1\""), u"End of tag not found");
  EXPECT_EQ(loadError(u"<a x=\"1>\">"), u"End tag of a element not found");
  EXPECT_EQ(loadError(u"<\"a\">"), u"Tag starts with quote");
  EXPECT_EQ(loadError(u"<a>x<"), u"Abrupt end within tag");
  EXPECT_EQ(loadError(u"<!-- open comment <a/>"), u"Invalid node");
  EXPECT_EQ(loadError(u"<?xml version=\"1.0\" <a/>"), u"Invalid node");
  EXPECT_EQ(loadError(u""), u"");

  CXmlDoc doc;
  EXPECT_FALSE(doc.loadText(u"<a><b></a>"));
  EXPECT_EQ(doc.positionCount(), 1);
  EXPECT_EQ(doc.documentText(), u"<a><b></a>");
  EXPECT_FALSE(doc.findChildElement(u"b"));
}

TEST(XmlDoc, ParseErrorsSayWhereTheParseStopped) {
  const struct {
    std::u16string_view text;
    XmlTextPosition at;
  } cases[] = {
      {u"<a>\r\n<b>\r\n  </a>", {3, 3}},    // the end tag that does not fit
      {u"<a>\r\n<b></b>\r\n", {3, 1}},      // a cut file: its end
      {u"<a><=></a>", {1, 4}},
      {u"no markup\nhere", {2, 5}},
      {u"<a/>", {0, 0}},                     // parsed: nowhere
      {u"", {0, 0}},                         // empty: no error to place
  };
  for (const auto& c : cases) {
    CXmlDoc doc;
    doc.loadText(std::u16string(c.text));
    EXPECT_EQ(doc.errorPosition(), c.at) << toUtf8(c.text);
  }
  CXmlDoc doc;
  doc.loadText(u"<a></b>");
  doc.loadText(u"<a/>");
  EXPECT_EQ(doc.errorPosition(), XmlTextPosition{});
}

TEST(XmlDoc, DeclarationsCommentsAndDoctypesAreNotElements) {
  CXmlDoc doc;
  ASSERT_TRUE(doc.loadText(u"\xFEFF<?xml version=\"1.0\"?>\r\n<!DOCTYPE r [<!ELEMENT r ANY>]>\r\n<!-- <x/> -->"
                           u"<r><!-- c --><a>1</a><![CDATA[<b>]]><?pi <c/> ?><b>2</b></r><after/>"));
  EXPECT_TRUE(doc.error().empty());
  EXPECT_EQ(doc.positionCount(), 4);  // root, r, a, b: the element after r is not indexed
  ASSERT_TRUE(doc.findChildElement(u"a"));
  EXPECT_EQ(doc.childText(), u"1");
  ASSERT_TRUE(doc.findChildElement(u"b"));
  EXPECT_EQ(doc.childText(), u"2");
  EXPECT_EQ(doc.tagName(doc.cursor().mainPos), u"r");
}

TEST(XmlDoc, CursorSearchesForwardOnlyAndMatchesWholeNames) {
  CXmlDoc doc;
  ASSERT_TRUE(doc.loadText(u"<c><verb>v</verb><type>3</type><types>x</types><object>o</object></c>"));
  ASSERT_TRUE(doc.findChildElement(u"type"));
  EXPECT_EQ(doc.childInt(), 3);
  const auto atType = doc.cursor();
  EXPECT_FALSE(doc.findChildElement(u"verb"));
  EXPECT_EQ(doc.cursor(), atType);
  EXPECT_FALSE(doc.findChildElement(u"Object"));
  ASSERT_TRUE(doc.findChildElement(u"object"));
  EXPECT_EQ(doc.childText(), u"o");

  CXmlDoc fresh;
  ASSERT_TRUE(fresh.loadText(u"<r><a/></r>"));
  EXPECT_FALSE(fresh.findChildElement(u"b"));
  EXPECT_EQ(fresh.cursor(), CXmlDoc::Cursor{});

  // enterChild / leaveElement move one level and back.
  CXmlDoc nested;
  ASSERT_TRUE(nested.loadText(u"<r><s><i>1</i></s><s><i>2</i></s></r>"));
  std::u16string seen;
  while (nested.findChildElement(u"s")) {
    nested.enterChild();
    ASSERT_TRUE(nested.findChildElement(u"i"));
    seen += nested.childText();
    nested.leaveElement();
  }
  EXPECT_EQ(seen, u"12");
  EXPECT_FALSE(nested.findElement(u"r"));
}

TEST(XmlDoc, TextAndAttributesAreUnescapedOnlyForTheFivePredefinedEntities) {
  CXmlDoc doc;
  ASSERT_TRUE(doc.loadText(u"<r><a k='x &amp; &quot;y&quot;' n=\"2\">&lt;&amp;&gt;&apos;&quot; &#65; &bogus; &</a>"
                           u"<b>  <![CDATA[a<b&amp;]]>  </b><c/><d><e/></d></r>"));
  ASSERT_TRUE(doc.findChildElement(u"a"));
  EXPECT_EQ(doc.childText(), u"<&>'\" &#65; &bogus; &");
  EXPECT_EQ(doc.childAttribute(u"k"), u"x & \"y\"");
  EXPECT_EQ(doc.childAttribute(u"n"), u"2");
  EXPECT_EQ(doc.childAttribute(u"missing"), u"");
  ASSERT_TRUE(doc.findChildElement(u"b"));
  EXPECT_EQ(doc.childText(), u"a<b&amp;");
  ASSERT_TRUE(doc.findChildElement(u"c"));
  EXPECT_EQ(doc.childText(), u"");
  ASSERT_TRUE(doc.findChildElement(u"d"));
  EXPECT_EQ(doc.childText(), u"");  // an element with children has no text
  EXPECT_EQ(loadError(u"<r><f> <![CDATA[open</f></r>"), u"Invalid node");
}

TEST(XmlDoc, ChildIntFollowsTheRuntimeConversion) {
  const std::int32_t expected[] = {-42, 7, 0, 2147483647, -2147483647 - 1};
  CXmlDoc again;
  ASSERT_TRUE(again.loadText(u"<r><a> \t-42x</a><b>+7</b><c>abc</c><d>99999999999</d><e>-99999999999</e></r>"));
  const char16_t* names[] = {u"a", u"b", u"c", u"d", u"e"};
  for (int i = 0; i < 5; ++i) {
    ASSERT_TRUE(again.findChildElement(names[i]));
    EXPECT_EQ(again.childInt(), expected[i]) << i;
  }
}

TEST(XmlDoc, WritingFromNothingGivesOneElementPerLine) {
  CXmlDoc doc;
  doc.addElement(u"Chores", u"");
  EXPECT_EQ(doc.documentText(), u"<Chores/>\r\n");
  doc.enterChild();
  doc.addElement(u"Chore", u"");
  ASSERT_TRUE(doc.setAttribute(doc.cursor().mainPos, u"name", u"x"));
  doc.enterChild();
  doc.addElement(u"verb", u"Explore a folder");
  doc.leaveElement();
  EXPECT_EQ(doc.documentText(),
            u"<Chores>\r\n<Chore name=\"x\">\r\n<verb>Explore a folder</verb>\r\n</Chore>\r\n</Chores>\r\n");
  expectIndexMatchesReparse(doc);

  doc.addElement(u"Chore", u"a<b & c>d");
  ASSERT_TRUE(doc.setAttribute(doc.cursor().mainPos, u"name", u"it's \"q\" <&>"));
  ASSERT_TRUE(doc.setAttribute(doc.cursor().mainPos, u"hotKey", u"0"));
  ASSERT_TRUE(doc.setAttribute(doc.cursor().mainPos, u"name", u"y"));
  EXPECT_EQ(doc.documentText(),
            u"<Chores>\r\n<Chore name=\"x\">\r\n<verb>Explore a folder</verb>\r\n</Chore>\r\n"
            u"<Chore name=\"y\" hotKey=\"0\">a&lt;b &amp; c&gt;d</Chore>\r\n</Chores>\r\n");
  expectIndexMatchesReparse(doc);
  EXPECT_FALSE(doc.setAttribute(99, u"n", u"v"));
  EXPECT_FALSE(doc.setAttribute(0, u"n", u"v"));
}

TEST(XmlDoc, AddingToLoadedTextKeepsItsFormAndTheIndexInStep) {
  CXmlDoc doc;
  ASSERT_TRUE(doc.loadText(u"<r>\n  <a/>\n  <b>text</b>\n</r>\n<!-- tail -->"));
  ASSERT_TRUE(doc.findChildElement(u"a"));
  doc.enterChild();
  doc.enterChild();  // into <a/>, which has no children yet
  doc.addElement(u"x", u"1");
  doc.addElement(u"y", u"");
  doc.leaveElement();
  doc.leaveElement();
  EXPECT_EQ(doc.documentText(), u"<r>\n  <a>\r\n<x>1</x>\r\n<y/>\r\n</a>\n  <b>text</b>\n</r>\n<!-- tail -->");

  CXmlDoc empty;
  ASSERT_TRUE(empty.loadText(u"<r><p></p><q>t</q></r>"));
  ASSERT_TRUE(empty.findChildElement(u"p"));
  empty.enterChild();
  empty.enterChild();
  empty.addElement(u"z", u"");
  empty.leaveElement();
  empty.leaveElement();
  ASSERT_TRUE(empty.findChildElement(u"q"));
  EXPECT_EQ(empty.childText(), u"t");
  EXPECT_EQ(empty.documentText(), u"<r><p>\r\n<z/>\r\n</p><q>t</q></r>");
  const std::u16string before = empty.documentText();
  CXmlDoc check;
  ASSERT_TRUE(check.loadText(before));
  ASSERT_TRUE(check.findChildElement(u"p"));
  check.enterChild();
  EXPECT_TRUE(check.findChildElement(u"z"));
}

TEST(XmlDoc, HostileNestingAndTruncationNeverCrash) {
  constexpr int kDepth = 300000;
  std::u16string deep;
  deep.reserve(kDepth * 7 + 8);
  for (int i = 0; i < kDepth; ++i) deep += u"<a>";
  for (int i = 0; i < kDepth; ++i) deep += u"</a>";
  CXmlDoc doc;
  ASSERT_TRUE(doc.loadText(deep));
  EXPECT_EQ(doc.positionCount(), kDepth + 1);

  deep.resize(deep.size() - 4);
  EXPECT_FALSE(doc.loadText(deep));
  EXPECT_EQ(doc.error(), u"End tag of a element not found");

  std::u16string unclosed;
  for (int i = 0; i < kDepth; ++i) unclosed += u"<a";
  EXPECT_FALSE(doc.loadText(unclosed));
  EXPECT_EQ(doc.error(), u"End of tag not found");

  // Every prefix of a real document either parses or fails with a message.
  const std::u16string sample =
      u"<?xml?><Chores>\r\n<Chore name=\"a&amp;b\">\r\n<verb>x</verb>\r\n<e/>\r\n<!--c-->"
      u"<![CDATA[z]]></Chore>\r\n</Chores>\r\n";
  for (std::size_t length = 1; length < sample.size(); ++length) {
    CXmlDoc prefix;
    if (!prefix.loadText(sample.substr(0, length))) {
      EXPECT_FALSE(prefix.error().empty()) << length;
    }
    while (prefix.findChildElement(u"Chore")) {
      prefix.enterChild();
      prefix.findChildElement(u"verb");
      (void)prefix.childText();
      prefix.leaveElement();
    }
  }
}

}  // namespace
}  // namespace tolvane
