#include "base/file_io.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/failure.h"
#include "test_support.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;
using navtest::failureMessage;
using navtest::readFile;
using navtest::writeFile;

std::size_t entries(const std::string& folder) {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(FileIo, ReadsWholeRegularFilesOnly) {
  navtest::ScratchFolder dir;
  writeFile(dir.path() + "a.bin", std::string("x\0y\r\n", 5));
  EXPECT_EQ(nav::readWholeFile(dir.path() + "a.bin"), std::string("x\0y\r\n", 5));
  EXPECT_EQ(failureMessage([&] { nav::readWholeFile(dir.path() + "none"); }),
            "Cannot open file " + dir.path() + "none");
  EXPECT_EQ(failureMessage([&] { nav::readWholeFile(dir.path()); }), "Cannot open file " + dir.path());
  EXPECT_EQ(nav::readWholeFile(dir.path() + "a.bin", 5), std::string("x\0y\r\n", 5));
  EXPECT_EQ(failureMessage([&] { nav::readWholeFile(dir.path() + "a.bin", 4); }),
            "File " + dir.path() + "a.bin is too large: over 0 MB");
#ifndef _WIN32
  const std::string fifo = dir.path() + "fifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(failureMessage([&] { nav::readWholeFile(fifo); }), "Cannot open file " + fifo);
  EXPECT_EQ(failureMessage([&] { nav::readWholeFile("/dev/zero"); }), "Cannot open file /dev/zero");
#endif
}

TEST(FileIo, ReplacingLeavesNoTemporaryFileAndKeepsPermissions) {
  navtest::ScratchFolder dir;
  const std::string path = dir.path() + "f.txt";
  nav::replaceFileContent(path, "one", "bad");
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  nav::replaceFileContent(path, "two", "bad");
  EXPECT_EQ(readFile(path), "two");
#ifndef _WIN32
  EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
#endif
  EXPECT_EQ(entries(dir.path()), 1u);
}

TEST(FileIo, SavingOverAnExistingFileReplacesItWhole) {
  navtest::ScratchFolder dir;
  const std::string path = dir.path() + "plan.sit";
  writeFile(path, std::string(10000, 'o'));
  nav::replaceFileContent(path, "new", "bad");
  EXPECT_EQ(readFile(path), "new");
  // A write-protected file stays as it is.
  fs::permissions(path, fs::perms::owner_read);
  EXPECT_EQ(failureMessage([&] { nav::replaceFileContent(path, "newer", "Cannot create file x"); }),
            "Cannot create file x");
  EXPECT_EQ(readFile(path), "new");
  EXPECT_EQ(entries(dir.path()), 1u);
}

std::vector<nav::FileContent> threeFiles(const std::string& folder) {
  return {{folder + "a", "new a", "Cannot write a"},
          {folder + "b", std::string(100000, 'b'), "Cannot write b"},
          {folder + "c", "new c", "Cannot write c"}};
}

#ifndef _WIN32

TEST(FileIo, APlantedLinkOrFileBesideTheTargetIsNeverTouched) {
  navtest::ScratchFolder dir;
  const std::string victim = dir.path() + "victim";
  const std::string target = dir.path() + "nav.ini";
  writeFile(victim, "precious");
  writeFile(target, "old");
  // The names a save used to write through.
  fs::create_symlink(victim, target + ".tmp");
  writeFile(target + ".new", "someone's");
  nav::replaceFileContent(target, "saved", "bad");
  EXPECT_EQ(readFile(victim), "precious");
  EXPECT_EQ(readFile(target + ".new"), "someone's");
  EXPECT_TRUE(fs::is_symlink(target + ".tmp"));
  EXPECT_FALSE(fs::is_symlink(target));
  EXPECT_EQ(readFile(target), "saved");
  EXPECT_EQ(entries(dir.path()), 4u);
}

TEST(FileIo, ALinkedTargetIsReplacedThroughTheLink) {
  navtest::ScratchFolder dir;
  navtest::makeFolder(dir.path() + "real");
  const std::string real = dir.path() + "real/plan.sit";
  writeFile(real, "old");
  fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  // A link to a link, each relative to its own folder.
  fs::create_symlink("real/plan.sit", dir.path() + "first");
  fs::create_symlink("first", dir.path() + "plan.sit");
  nav::replaceFileContent(dir.path() + "plan.sit", "new", "bad");
  EXPECT_TRUE(fs::is_symlink(dir.path() + "plan.sit"));
  EXPECT_TRUE(fs::is_symlink(dir.path() + "first"));
  EXPECT_EQ(readFile(real), "new");
  EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(entries(dir.path() + "real"), 1u);

  // A link to nothing yet: the file it names is made.
  fs::create_symlink("real/later.sit", dir.path() + "later.sit");
  nav::replaceFileContent(dir.path() + "later.sit", "made", "bad");
  EXPECT_EQ(readFile(dir.path() + "real/later.sit"), "made");
  EXPECT_TRUE(fs::is_symlink(dir.path() + "later.sit"));

  fs::create_symlink("loop", dir.path() + "loop");
  EXPECT_EQ(failureMessage([&] { nav::replaceFileContent(dir.path() + "loop", "x", "Cannot create file loop"); }),
            "Cannot create file loop");
}

TEST(FileIo, ADeviceOrAFifoIsNeverReplacedByAFile) {
#ifndef _WIN32
  navtest::ScratchFolder dir;
  const std::string fifo = dir.path() + "fifo";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  fs::create_symlink("/dev/null", dir.path() + "nav.ini");
  fs::create_symlink("fifo", dir.path() + "plan.sit");
  for (const char* name : {"nav.ini", "plan.sit", "fifo"})
    EXPECT_EQ(failureMessage([&] { nav::replaceFileContent(dir.path() + name, "x", "Cannot create file x"); }),
              "Cannot create file x")
        << name;
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
  EXPECT_TRUE(fs::is_fifo(fifo));
  EXPECT_EQ(entries(dir.path()), 3u);
#endif
}

TEST(FileIo, ATemporaryFileLeftByAKillGoesAtTheNextSave) {
  navtest::ScratchFolder dir;
  const std::string target = dir.path() + "plan.sit";
  const std::string left = target + ".k1ll3dm1d5.tmp";
  const std::string young = target + ".s4v1ngn0w0.tmp";  // another program's save under way
  const std::string other = dir.path() + "other.sit.k1ll3dm1d5.tmp";
  for (const std::string& f : {left, young, other}) writeFile(f, "half");
  const auto hourAgo = fs::file_time_type::clock::now() - std::chrono::hours(1);
  fs::last_write_time(left, hourAgo);
  fs::last_write_time(other, hourAgo);
  nav::replaceFileContent(target, "whole", "bad");
  EXPECT_EQ(readFile(target), "whole");
  EXPECT_FALSE(fs::exists(left));
  EXPECT_TRUE(fs::exists(young));
  EXPECT_TRUE(fs::exists(other));  // another file's
}

TEST(FileIo, AFolderThatCannotBeWrittenIsNamed) {
  navtest::ScratchFolder dir;
  const std::string folder = dir.path() + "ro";
  navtest::makeFolder(folder);
  writeFile(folder + "/nav.ini", "old");
  fs::permissions(dir.path(), fs::perms::owner_all | fs::perms::others_exec);
  fs::permissions(folder,
                  fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read | fs::perms::others_exec);
  fs::permissions(folder + "/nav.ini", fs::perms::all);
  // Root writes anywhere: the save runs as nobody.
  int pipeEnds[2];
  ASSERT_EQ(pipe(pipeEnds), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(2);
    const std::string message =
        failureMessage([&] { nav::replaceFileContent(folder + "/nav.ini", "new", "Unable to write to nav.ini"); });
    _exit(write(pipeEnds[1], message.data(), message.size()) < 0 ? 3 : 0);
  }
  close(pipeEnds[1]);
  char text[512];
  const ssize_t got = read(pipeEnds[0], text, sizeof text);
  close(pipeEnds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_EQ(std::string(text, got > 0 ? static_cast<std::size_t>(got) : 0),
            "Unable to write to nav.ini: the folder " + folder + " is write-protected");
  EXPECT_EQ(readFile(folder + "/nav.ini"), "old");
}

TEST(FileIo, FilesReplacedTogetherStayAsTheyWereOnAFullDisk) {
  navtest::ScratchFolder dir;
  for (const char* f : {"a", "b", "c"}) writeFile(dir.path() + f, std::string("old ") + f);
  {
    const navtest::FileSizeLimit fullDisk(50000);
    EXPECT_EQ(failureMessage([&] { nav::replaceFilesTogether(threeFiles(dir.path())); }), "Cannot write b");
  }
  for (const char* f : {"a", "b", "c"}) EXPECT_EQ(readFile(dir.path() + f), std::string("old ") + f);
  EXPECT_EQ(entries(dir.path()), 3u);
}

#endif

TEST(FileIo, FilesReplacedTogetherArePutBackWhenOneCannotTakeItsPlace) {
  navtest::ScratchFolder dir;
  for (const char* f : {"a", "b"}) writeFile(dir.path() + f, std::string("old ") + f);
  // A folder where the last file goes: the first two are put back.
  navtest::makeFolder(dir.path() + "c/inside");
  EXPECT_EQ(failureMessage([&] { nav::replaceFilesTogether(threeFiles(dir.path())); }), "Cannot write c");
  EXPECT_EQ(readFile(dir.path() + "a"), "old a");
  EXPECT_EQ(readFile(dir.path() + "b"), "old b");
  EXPECT_EQ(entries(dir.path()), 3u);

  fs::remove_all(dir.path() + "c");
  nav::replaceFilesTogether(threeFiles(dir.path()));
  EXPECT_EQ(readFile(dir.path() + "a"), "new a");
  EXPECT_EQ(readFile(dir.path() + "b").size(), 100000u);
  EXPECT_EQ(readFile(dir.path() + "c"), "new c");
  EXPECT_EQ(entries(dir.path()), 3u);
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
