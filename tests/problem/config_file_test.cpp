#include "problem/config_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/numbered_name.h"

namespace tamso {
namespace {

namespace fs = std::filesystem;

struct ReadResult {
  bool ok;
  ConfigFile file;
};

ReadResult readText(const std::string& text) {
  ReadResult result{false, {}};
  std::istringstream in(text);
  result.ok = result.file.read(in);
  return result;
}

TEST(ConfigFile, SectionsPrefixKeysAndValuesStayUntrimmed) {
  auto r = readText("top=1\n[params]\npickupTime=30\nname = A B \n[ odd ]x\nk=v\n[]\nbare=2\n");
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.file.lookup("top"), "1");
  EXPECT_EQ(r.file.lookup("params.pickupTime"), "30");
  // Blanks around "=" stay in the key and the value; the line itself is trimmed.
  EXPECT_EQ(r.file.lookup("params.name "), " A B");
  EXPECT_FALSE(r.file.lookup("params.name"));
  EXPECT_EQ(r.file.lookup(" odd .k"), "v");
  EXPECT_EQ(r.file.lookup("bare"), "2");
  EXPECT_EQ(r.file.lookup("missing", std::string("dflt")), "dflt");
}

TEST(ConfigFile, CommentsOnlyInColumnOneAndBlankLinesSkipped) {
  auto r = readText("# comment\n\n   \t\n[params]\n#x=1\n");
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.file.count(), 0u);
  auto indented = readText("[params]\n  # not a comment\n");
  EXPECT_FALSE(indented.ok);
  EXPECT_EQ(indented.file.lineNumber(), 2);
}

TEST(ConfigFile, MalformedLinesFailAtTheirLine) {
  auto noBracket = readText("a=1\n\n[params\nb=2\n");
  EXPECT_FALSE(noBracket.ok);
  EXPECT_EQ(noBracket.file.lineNumber(), 3);
  auto noEquals = readText("[params]\njust text\n");
  EXPECT_FALSE(noEquals.ok);
  EXPECT_EQ(noEquals.file.lineNumber(), 2);
}

TEST(ConfigFile, FirstOfDuplicateKeysWins) {
  auto r = readText("[p]\nk=first\nk=second\n");
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.file.lookup("p.k"), "first");
  EXPECT_EQ(r.file.count(), 2u);
}

TEST(ConfigFile, LineLengthLimitCountsTheNewline) {
  std::string longest = "k=";
  longest.append(1020, 'v');  // 1022 characters
  auto accepted = readText(longest + "\n");
  EXPECT_TRUE(accepted.ok);
  auto refused = readText("[s]\n" + longest + "v\n");  // 1023 characters and the newline
  EXPECT_FALSE(refused.ok);
  EXPECT_EQ(refused.file.lineNumber(), 2);
}

TEST(ConfigFile, TheThousandAndFirstEntryIsRefused) {
  std::string text;
  for (int i = 0; i < 1000; ++i) text += testing::numberedName("k", i) + "=v\n";
  EXPECT_TRUE(readText(text).ok);
  auto r = readText(text + "extra=1\n");
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.file.lineNumber(), 1001);
}

TEST(ConfigFile, CarriageReturnLineEndsReadLikeNewlines) {
  auto r = readText("[files]\r\norders=orders.txt\r\n");
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.file.lookup("files.orders"), "orders.txt");
}

TEST(ConfigFile, NumbersConvertLikeFormattedInput) {
  auto r = readText("[p]\nlead= 30\ntail=45min\nword=abc\nneg=-7\nreal=0.25x\nexp=1e-2\n");
  ASSERT_TRUE(r.ok);
  std::int32_t i = 0;
  EXPECT_TRUE(r.file.getInt("p.lead", -1, i));
  EXPECT_EQ(i, 30);
  EXPECT_TRUE(r.file.getInt("p.tail", -1, i));
  EXPECT_EQ(i, 45);
  EXPECT_TRUE(r.file.getInt("p.neg", -1, i));
  EXPECT_EQ(i, -7);
  EXPECT_FALSE(r.file.getInt("p.word", -1, i));
  EXPECT_EQ(i, -1);
  EXPECT_TRUE(r.file.getInt("p.absent", -1, i));
  EXPECT_EQ(i, -1);
  double d = 0;
  EXPECT_TRUE(r.file.getReal("p.real", -1.0, d));
  EXPECT_DOUBLE_EQ(d, 0.25);
  EXPECT_TRUE(r.file.getReal("p.exp", -1.0, d));
  EXPECT_DOUBLE_EQ(d, 0.01);
  EXPECT_FALSE(r.file.getReal("p.word", -1.0, d));
  EXPECT_EQ(d, -1.0);
}

TEST(ConfigFile, MissingFileFailsAtLineZero) {
  ConfigFile file;
  EXPECT_FALSE(file.read("/nonexistent/dir/tamso.cfg"));
  EXPECT_EQ(file.lineNumber(), 0);
  EXPECT_FALSE(file.read("/tmp"));  // a folder is no configuration file
  EXPECT_EQ(file.lineNumber(), 0);
}

// Windows editors start a file with a byte-order mark; it is no part of the first line.
TEST(ConfigFile, ByteOrderMarkIsSkipped) {
  auto r = readText("\xEF\xBB\xBF[params]\r\npickupTime=30\r\n");
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.file.lookup("params.pickupTime"), "30");
  EXPECT_FALSE(readText("[params]\n\xEF\xBB\xBFpickup\n").ok);  // only at the start of the file
}

// Only regular files are read: a FIFO without a writer, a device or a folder is refused at
// once with the reason, and an endless line stops at the line limit.
TEST(ConfigFile, OnlyRegularFilesAreOpened) {
  const fs::path folder = fs::temp_directory_path() / ("tamso-config-" + std::to_string(::getpid()));
  fs::create_directories(folder);
  ASSERT_EQ(mkfifo((folder / "pipe").c_str(), 0600), 0);
  const std::pair<std::string, std::string> refused[] = {
      {(folder / "pipe").string(), "not a regular file"},
      {"/dev/zero", "not a regular file"},
      {folder.string(), "Is a directory"},
      {(folder / "absent").string(), "No such file or directory"},
  };
  for (const auto& [path, reason] : refused) {
    ConfigFile file;
    EXPECT_FALSE(file.read(path)) << path;
    EXPECT_EQ(file.lineNumber(), 0) << path;
    EXPECT_EQ(file.failure(), reason) << path;
  }
  std::ofstream(folder / "endless.cfg") << "[params]\n" << std::string(5'000'000, 'x');
  ConfigFile file;
  EXPECT_FALSE(file.read((folder / "endless.cfg").string()));
  EXPECT_EQ(file.lineNumber(), 2);
  EXPECT_TRUE(file.failure().empty());
  fs::remove_all(folder);
}

}  // namespace
}  // namespace tamso
