#include "problem/file_identity.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/temp_folder.h"

namespace tamso {
namespace {

namespace fs = std::filesystem;

// Every other name of an input is that input; a copy, a new name or a folder is not.
TEST(FileIdentity, EveryNameOfAnInputIsThatInput) {
  testing::TempFolder scratch("tamso-identity");
  const fs::path dir = scratch.path();
  fs::create_directories(dir / "sub");
  std::ofstream(dir / "orders.txt") << "O1\n";
  std::ofstream(dir / "copy.txt") << "O1\n";
  fs::create_hard_link(dir / "orders.txt", dir / "hard.txt");
  fs::create_symlink(dir / "orders.txt", dir / "soft.txt");
  const std::vector<std::string> inputs = {(dir / "instance.cfg").string(), (dir / "orders.txt").string()};
  struct Case {
    fs::path output;
    bool isInput;
  };
  const Case cases[] = {
      {dir / "orders.txt", true}, {dir / "sub" / ".." / "orders.txt", true},
      {dir / "hard.txt", true},   {dir / "soft.txt", true},
      {dir / "copy.txt", false},  {dir / "plan.json", false},
      {dir / "sub", false},
  };
  for (const Case& c : cases) {
    const auto refusal = refuseOverwritingInput(c.output.string(), inputs);
    EXPECT_EQ(refusal.has_value(), c.isInput) << c.output;
    if (refusal) {
      EXPECT_EQ(*refusal, "Cannot write the file " + c.output.string() + ": it is the input file " + inputs[1]);
    }
  }
}

}  // namespace
}  // namespace tamso
