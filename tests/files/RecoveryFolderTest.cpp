// Each program's recovery files are its own while it runs, and offered once it has ended.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <filesystem>
#include <optional>

#include "files/PosixFile.h"
#include "files/RecoveryFolder.h"
#include "files/RecoveryWriter.h"
#include "files/TempFolder.h"

namespace kelvane {
namespace {

class RecoveryFolderTest : public TempFolderTest {
 protected:
  std::string Folder() const { return PathOf("state/kelvane"); }
  RecoveryOwner Claim() {
    auto owner = RecoveryOwner::Claim(Folder());
    EXPECT_TRUE(owner) << (owner ? "" : owner.error().reason);
    return std::move(*owner);
  }
  static mode_t ModeOf(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
  }
  std::size_t FilesLeft() const {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(Folder()),
                                                  std::filesystem::directory_iterator()));
  }
};

TEST_F(RecoveryFolderTest, TwoRunningOwnersNeverTakeEachOthersFiles) {
  std::optional<RecoveryOwner> first = Claim();
  RecoveryOwner second = Claim();
  ASSERT_NE(first->FilePath(), second.FilePath());
  KeptDocument kept;
  kept.title = "ship.spr";
  ASSERT_EQ(first->Write(EncodeKeptDocument(kept)), std::nullopt);
  ASSERT_EQ(second.Write(EncodeKeptDocument(kept)), std::nullopt);
  EXPECT_EQ(ModeOf(Folder()), 0700u);
  EXPECT_EQ(ModeOf(first->FilePath()), 0600u);
  EXPECT_TRUE(FindOrphans(Folder()).empty());

  const std::string firstPath = first->FilePath();
  first.reset();  // its program ended with the file left
  auto orphans = FindOrphans(Folder());
  ASSERT_EQ(orphans.size(), 1u);
  EXPECT_EQ(orphans[0].FilePath(), firstPath);
  // Held by the program that found it: another start does not offer it too.
  EXPECT_TRUE(FindOrphans(Folder()).empty());
  const auto read = orphans[0].Read();
  ASSERT_TRUE(read);
  EXPECT_EQ(*read, kept);
  ASSERT_EQ(orphans[0].Discard(), std::nullopt);
  EXPECT_FALSE(std::filesystem::exists(firstPath));
  EXPECT_EQ(FilesLeft(), 2u);  // the second's file and lock
}

// A copy whose writer was killed is removed from the folder, which is the program's alone; one
// another writer still holds, and a backup, stay.
TEST_F(RecoveryFolderTest, LookingForOrphansRemovesCopiesWhoseWriterIsGone) {
  { RecoveryOwner owner = Claim(); }
  for (const char* name : {"/.kelvane-Gone01", "/.kelvane-Live01", "/.kelvane-Back01~"}) {
    WriteBytes(Folder() + name, {1});
  }
  const FileDescriptor live(::open((Folder() + "/.kelvane-Live01").c_str(), O_RDONLY | O_CLOEXEC));
  ASSERT_EQ(::flock(live.Get(), LOCK_EX), 0);
  FindOrphans(Folder());
  EXPECT_FALSE(std::filesystem::exists(Folder() + "/.kelvane-Gone01"));
  EXPECT_TRUE(std::filesystem::exists(Folder() + "/.kelvane-Live01"));
  EXPECT_TRUE(std::filesystem::exists(Folder() + "/.kelvane-Back01~"));
}

TEST_F(RecoveryFolderTest, LaterKeepsTheFileAndAnUnreadableOneIsSetAside) {
  { RecoveryOwner owner = Claim(); }
  EXPECT_EQ(FilesLeft(), 0u);  // nothing was unsaved
  WriteBytes(Folder() + "/1-torn.recovery", {1, 2, 3});
  WriteBytes(Folder() + "/2-killed.lock", {});  // ended with nothing unsaved
  {
    auto orphans = FindOrphans(Folder());
    ASSERT_EQ(orphans.size(), 1u);
  }  // Later
  auto orphans = FindOrphans(Folder());
  ASSERT_EQ(orphans.size(), 1u);
  EXPECT_FALSE(orphans[0].Read());
  const auto aside = orphans[0].SetAside();
  ASSERT_TRUE(aside);
  EXPECT_EQ(*aside, Folder() + "/1-torn.recovery.bad");
  EXPECT_EQ(ReadBytes(*aside), (std::vector<std::uint8_t>{1, 2, 3}));
  EXPECT_TRUE(FindOrphans(Folder()).empty());
  EXPECT_EQ(FilesLeft(), 1u);
}

TEST_F(RecoveryFolderTest, TheWriterKeepsOnlyTheNewestRequest) {
  KeptDocument kept;
  RecoveryWriter writer(Claim());
  for (int k = 1; k <= 20; ++k) {
    kept.writtenAt = k;
    writer.Write(kept);
  }
  writer.Wait();
  EXPECT_EQ(DecodeKeptDocument(ReadBytes(writer.FilePath()), "")->writtenAt, 20);
  writer.Write(kept);
  writer.Remove();
  writer.Wait();
  EXPECT_FALSE(std::filesystem::exists(writer.FilePath()));
}

}  // namespace
}  // namespace kelvane
