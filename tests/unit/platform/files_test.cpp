#include "platform/files.h"

#include <gtest/gtest.h>

#include "support/fake_files.h"

namespace tolvane {
namespace {

// Whatever step fails, the set is all new or all old, and no temporary or
// kept-back file is left.
TEST(Files, ReplacingASetWritesEveryFileOrNone) {
  enum Step { None, WriteSecondTemporary, KeepFirst, ReplaceFirst, ReplaceSecond };
  const struct {
    Step failing;
    bool firstExisted;
    std::u16string failedPath;
  } cases[] = {
      {None, true, u""},           {WriteSecondTemporary, true, u"b"}, {KeepFirst, true, u"a"},
      {ReplaceFirst, true, u"a"},  {ReplaceSecond, true, u"b"},        {ReplaceSecond, false, u"b"},
  };
  for (const auto& c : cases) {
    const auto where = testing::Message() << "case " << (&c - cases);
    test::FakeFiles files;
    if (c.firstExisted) files.put(u"a", "old a");
    files.put(u"b", "old b");
    if (c.failing == WriteSecondTemporary) files.failWrite(temporaryFileOf(u"b"), 112);
    if (c.failing == KeepFirst) files.failCopyTo(previousFileOf(u"a"), 112);
    if (c.failing == ReplaceFirst) files.failReplace(u"a", 32);
    if (c.failing == ReplaceSecond) files.failReplace(u"b", 5);
    const FileWrite writes[] = {{u"a", "new a"}, {u"b", "new b"}};
    const FileFailure failure = files.replaceFiles(writes);
    EXPECT_EQ(failure.path, c.failedPath) << where;
    EXPECT_EQ(static_cast<bool>(failure), c.failing != None) << where;
    const bool replaced = c.failing == None;
    EXPECT_EQ(files.bytes(u"a"), replaced ? "new a" : c.firstExisted ? std::optional<std::string>("old a") : std::nullopt)
        << where;
    EXPECT_EQ(files.bytes(u"b"), replaced ? "new b" : "old b") << where;
    EXPECT_EQ(files.paths().size(), (c.firstExisted || replaced) ? 2u : 1u) << where;
  }
}

}  // namespace
}  // namespace tolvane
