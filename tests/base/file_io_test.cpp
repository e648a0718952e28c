#include "base/file_io.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/failure.h"
#include "test_support.h"

namespace {

TEST(FileIo, ReadsWholeFilesAndNamesAMissingOne) {
  navtest::ScratchFolder dir;
  navtest::writeFile(dir.path() + "a.bin", std::string("x\0y\r\n", 5));
  EXPECT_EQ(nav::readWholeFile(dir.path() + "a.bin"), std::string("x\0y\r\n", 5));
  EXPECT_EQ(navtest::failureMessage([&] { nav::readWholeFile(dir.path() + "none"); }),
            "Cannot open file " + dir.path() + "none");
}

TEST(FileIo, ReplacingLeavesNoTemporaryFileAndKeepsPermissions) {
  navtest::ScratchFolder dir;
  const std::string path = dir.path() + "f.txt";
  nav::replaceFileContent(path, "one", "bad");
  namespace fs = std::filesystem;
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  nav::replaceFileContent(path, "two", "bad");
  EXPECT_EQ(navtest::readFile(path), "two");
  EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(Failure, FullStopRule) {
  EXPECT_EQ(nav::withFullStop("Stream read error"), "Stream read error.");
  EXPECT_EQ(nav::withFullStop("Done."), "Done.");
  EXPECT_EQ(nav::withFullStop("Trouvé!"), "Trouvé!");  // '!' is below '.'
  EXPECT_EQ(nav::withFullStop("x "), "x ");
  EXPECT_EQ(nav::withFullStop("(3)"), "(3)");       // ')' is below '.'
  EXPECT_EQ(nav::withFullStop("a\xE9"), "a\xE9.");  // high bytes are above it
  EXPECT_EQ(nav::withFullStop(""), "");
}

TEST(Failure, GuardReportsAndCarriesOn) {
  std::vector<std::string> shown;
  const nav::FailureReporter record = [&](const std::string& t) { shown.push_back(t); };
  EXPECT_FALSE(nav::runGuarded([] { nav::fail("Cannot open file x"); }, record));
  EXPECT_FALSE(nav::runGuarded([] { throw std::bad_alloc(); }, record));
  EXPECT_FALSE(nav::runGuarded([] { throw 42; }, record));
  EXPECT_TRUE(nav::runGuarded([] {}, record));
  EXPECT_EQ(shown, (std::vector<std::string>{"Cannot open file x.", "Out of memory.", "Unexpected error."}));
}

}  // namespace
