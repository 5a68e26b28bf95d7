// Saving and loading on a real file system, grouped by the way each used to lose, misplace or
// expose a user's work.
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/xattr.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <functional>
#include <future>
#include <map>
#include <thread>

#include "ChildProcess.h"
#include "TempFolder.h"
#include "files/PendingFile.h"
#include "files/PosixFile.h"
#include "files/SafeFiles.h"
#include "files/SpriteSets.h"

namespace kelvane {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Names = std::vector<std::string>;

const Bytes kOldRecords(64, 0x11);
const Bytes kOldColours{1, 2, 3};
const Bytes kNewRecords(1024, 0x22);
const Bytes kNewColours{4, 5, 6};
constexpr uid_t kOtherUser = 1234;

std::string Outcome(const std::optional<FileError>& error) {
  return error ? Describe(*error) : "saved";
}

struct stat StatOf(const std::string& path) {
  struct stat info {};
  EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
  return info;
}

class SafeFilesTest : public TempFolderTest {
 protected:
  std::string Ship() const { return PathOf("ship.spr"); }

  void WriteOldPair() const {
    WriteBytes(Ship(), kOldRecords);
    WriteBytes(Ship() + ".inf", kOldColours);
  }
  static std::optional<FileError> SavePair(const std::string& path,
                                           const Bytes& records = kNewRecords,
                                           const Bytes& colours = kNewColours) {
    const FileImage files[] = {{path, records}, {path + ".inf", colours}};
    return SaveFiles(files);
  }
  void ExpectOldPair() const {
    EXPECT_EQ(ReadBytes(Ship()), kOldRecords);
    EXPECT_EQ(ReadBytes(Ship() + ".inf"), kOldColours);
  }
  void ExpectNewPair(const std::string& path) const {
    EXPECT_EQ(ReadBytes(path), kNewRecords);
    EXPECT_EQ(ReadBytes(path + ".inf"), kNewColours);
  }
  // Lets the user nobody work in the folder, for the cases that need a user other than root.
  void GiveFolderToNobody() const { ASSERT_EQ(::chown(folder_.c_str(), kNobody, kNobody), 0); }
  void GivePairToNobody() const {
    ASSERT_EQ(::chown(Ship().c_str(), kNobody, kNobody), 0);
    ASSERT_EQ(::chown((Ship() + ".inf").c_str(), kNobody, kNobody), 0);
  }
};

// ---- Loading names the file and says why it failed ----

struct ReadCase {
  const char* name;
  std::function<std::string(const std::string& folder)> make;  // returns the path to read
  FileProblem problem;
  const char* reason;
};

class ReadFailure : public SafeFilesTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(ReadFailure, NamesTheFileAndTheCause) {
  const std::string path = GetParam().make(folder_);
  const auto read = WithoutWaitingOnFifo(path, true, [&] { return ReadWholeFile(path, 16384); });
  ASSERT_FALSE(read.ok());
  EXPECT_EQ(read.error(), (FileError{path, GetParam().problem, GetParam().reason}));
}

INSTANTIATE_TEST_SUITE_P(
    Loading, ReadFailure,
    ::testing::Values(
        ReadCase{"Missing", [](const std::string& f) { return f + "/gone.spr"; },
                 FileProblem::Missing, "No such file or directory"},
        ReadCase{"MissingFolder", [](const std::string& f) { return f + "/no/ship.spr"; },
                 FileProblem::Missing, "No such file or directory"},
        ReadCase{"Folder", [](const std::string& f) { return f; }, FileProblem::NotRegularFile,
                 "Is a directory"},
        ReadCase{"Fifo",
                 [](const std::string& f) {
                   ::mkfifo((f + "/pipe.spr").c_str(), 0600);
                   return f + "/pipe.spr";
                 },
                 FileProblem::NotRegularFile, "not a regular file"},
        ReadCase{"Device", [](const std::string&) { return std::string("/dev/null"); },
                 FileProblem::NotRegularFile, "not a regular file"},
        ReadCase{"TooLarge",
                 [](const std::string& f) {
                   TempFolderTest::WriteBytes(f + "/big.spr", Bytes(16385));
                   return f + "/big.spr";
                 },
                 FileProblem::Size, "Invalid file size"},
        // A regular file whose first bytes the kernel cannot read.
        ReadCase{"InputOutput", [](const std::string&) { return std::string("/proc/self/mem"); },
                 FileProblem::Io, "Input/output error"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SafeFilesTest, LoadingAFileThisUserMayNotReadSaysSo) {
  if (IsRoot()) GiveFolderToNobody();
  WriteBytes(Ship(), kOldRecords);
  ASSERT_EQ(::chmod(Ship().c_str(), 0), 0);
  const auto read = [&] {
    const auto result = ReadWholeFile(Ship(), 16384);
    return result ? std::string("read")
                  : Describe(result.error()) + "|" +
                        std::to_string(static_cast<int>(result.error().problem));
  };
  const std::string expected =
      Ship() + ": Permission denied|" + std::to_string(static_cast<int>(FileProblem::Permission));
  EXPECT_EQ(IsRoot() ? InChild(read, kNobody) : read(), expected);
}

// ---- A full disk or file-size limit is a reported failure that changes nothing ----

struct FullDiskCase {
  const char* name;
  Bytes records, colours;
  bool hardLinked;  // rewritten in place, so the old contents must come back from the backup
  const char* failing;
};

class FullDisk : public SafeFilesTest, public ::testing::WithParamInterface<FullDiskCase> {};

TEST_P(FullDisk, LeavesBothOldFilesAndNoTemporaryFile) {
  const FullDiskCase& c = GetParam();
  WriteOldPair();
  if (c.hardLinked) {
    ASSERT_EQ(::link(Ship().c_str(), PathOf("twin").c_str()), 0);
  }
  const Names before = Entries();

  // Each file may hold 100 bytes; SIGXFSZ is ignored as the program ignores it.
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto savedHandler = ::signal(SIGXFSZ, SIG_IGN);
  rlimit limit = saved;
  limit.rlim_cur = 100;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
  const auto error = SavePair(Ship(), c.records, c.colours);
  ::setrlimit(RLIMIT_FSIZE, &saved);
  ::signal(SIGXFSZ, savedHandler);

  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(*error, (FileError{PathOf(c.failing), FileProblem::DiskFull, std::strerror(EFBIG)}));
  ExpectOldPair();
  EXPECT_EQ(Entries(), before);
}

INSTANTIATE_TEST_SUITE_P(
    Saving, FullDisk,
    ::testing::Values(
        FullDiskCase{"RecordsDoNotFit", kNewRecords, kNewColours, false, "ship.spr"},
        // The records were complete and synced, but must not go in alone.
        FullDiskCase{"SecondFileDoesNotFit", Bytes(64, 0x22), Bytes(101, 4), false, "ship.spr.inf"},
        FullDiskCase{"InPlaceRewriteDoesNotFit", kNewRecords, kNewColours, true, "ship.spr"}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Permission bits: only 0777 is carried, and the data is never more visible than the file ----

struct ModeCase {
  const char* name;
  std::optional<mode_t> oldMode;  // nullopt: a new file
  mode_t umask;
  mode_t expected;
};

class Modes : public SafeFilesTest, public ::testing::WithParamInterface<ModeCase> {
 protected:
  void SetUp() override {
    SafeFilesTest::SetUp();
    savedMask_ = ::umask(GetParam().umask);
    if (GetParam().oldMode) {
      WriteOldPair();
      ASSERT_EQ(::chmod(Ship().c_str(), *GetParam().oldMode), 0);
      ASSERT_EQ(PermissionsOf(Ship()), *GetParam().oldMode);
    }
  }
  void TearDown() override {
    ::umask(savedMask_);
    SafeFilesTest::TearDown();
  }
  mode_t savedMask_ = 0;
};

// What the signal handler sees of the descriptors open at the first write of data.
struct WriteMoment {
  int files = 0;
  mode_t mode = 0;
  nlink_t links = 0;
};
WriteMoment gMoment;

void RecordTheFileBeingWritten(int) {
  for (int fd = 4; fd < 256; ++fd) {
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || (flags & O_PATH) != 0 || (flags & O_ACCMODE) == O_RDONLY) continue;
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) continue;
    ++gMoment.files;
    gMoment.mode = info.st_mode & 07777;
    gMoment.links = info.st_nlink;
  }
}

// A file-size limit of 0 stops the first write of data with SIGXFSZ, whose handler looks at the
// file being written at that very moment.
TEST_P(Modes, AreFinalBeforeAnyDataIsWritten) {
  const std::string seen = InChild([&] {
    rlimit none{0, RLIM_INFINITY};
    ::signal(SIGXFSZ, RecordTheFileBeingWritten);
    ::setrlimit(RLIMIT_FSIZE, &none);
    const FileImage file{Ship(), kNewRecords};
    const auto error = SaveFiles({&file, 1});
    if (!error || error->problem != FileProblem::DiskFull) return "not stopped: " + Outcome(error);
    return std::to_string(gMoment.files) + " file, mode " + std::to_string(gMoment.mode) +
           ", links " + std::to_string(gMoment.links);
  });
  // Unnamed (O_TMPFILE) while it is written, so a kill leaves nothing behind.
  EXPECT_EQ(seen, "1 file, mode " + std::to_string(GetParam().expected) + ", links 0");
  EXPECT_EQ(Entries(), (GetParam().oldMode ? Names{"ship.spr", "ship.spr.inf"} : Names{}));
  if (GetParam().oldMode) ExpectOldPair();
}

TEST_P(Modes, AreKeptOnTheSavedFile) {
  ASSERT_EQ(Outcome(SavePair(Ship())), "saved");
  EXPECT_EQ(PermissionsOf(Ship()), GetParam().expected);
  ExpectNewPair(Ship());
}

INSTANTIATE_TEST_SUITE_P(
    Saving, Modes,
    ::testing::Values(ModeCase{"PrivateStaysPrivate", 0600, 022, 0600},
                      ModeCase{"GroupReadable", 0640, 077, 0640},
                      // Root saving a user's file must not make a set-user-ID program of it.
                      ModeCase{"SetUserAndGroupIdDropped", 06755, 022, 0755},
                      ModeCase{"StickyDropped", 01644, 022, 0644},
                      ModeCase{"NewFileFollowsTheUmask", std::nullopt, 022, 0644},
                      ModeCase{"NewFileUnderAPrivateUmask", std::nullopt, 077, 0600}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SafeFilesTest, AFileRewrittenInPlaceAlsoLosesSetUserId) {
  WriteOldPair();
  ASSERT_EQ(::chmod(Ship().c_str(), 06755), 0);
  ASSERT_EQ(::link(Ship().c_str(), PathOf("twin").c_str()), 0);
  ASSERT_EQ(Outcome(SavePair(Ship())), "saved");
  EXPECT_EQ(PermissionsOf(Ship()), 0755u);
  EXPECT_EQ(ReadBytes(PathOf("twin")), kNewRecords);
}

// ---- The records and their sidecar are saved as a unit ----

TEST_F(SafeFilesTest, AReadOnlySidecarLeavesBothFilesUntouched) {
  // Root may write over a read-only file, so the user nobody saves.
  if (IsRoot()) GiveFolderToNobody();
  WriteOldPair();
  ASSERT_EQ(::chmod((Ship() + ".inf").c_str(), 0444), 0);
  if (IsRoot()) GivePairToNobody();
  const auto save = [&] { return Outcome(SavePair(Ship())); };
  EXPECT_EQ(IsRoot() ? InChild(save, kNobody) : save(), Ship() + ".inf: Permission denied");
  ExpectOldPair();
  EXPECT_EQ(Entries(), (Names{"ship.spr", "ship.spr.inf"}));
}

// The files themselves may be written, so the reason must point at the folder.
TEST_F(SafeFilesTest, WritableFilesInAReadOnlyFolderAreRefusedForTheFolder) {
  if (IsRoot()) GiveFolderToNobody();  // root may write into any folder
  WriteOldPair();
  if (IsRoot()) GivePairToNobody();
  ASSERT_EQ(::chmod(folder_.c_str(), 0555), 0);
  const auto save = [&] { return Outcome(SavePair(Ship())); };
  EXPECT_EQ(IsRoot() ? InChild(save, kNobody) : save(),
            Ship() +
                ": Permission denied: its folder cannot be written, and a save makes the new "
                "copy there first");
  ASSERT_EQ(::chmod(folder_.c_str(), 0755), 0);
  ExpectOldPair();
}

TEST_F(SafeFilesTest, ANameWhoseSidecarCannotExistLeavesTheRecordsUntouched) {
  const std::string path = PathOf(std::string(252, 'n'));  // 256 with ".inf"
  WriteBytes(path, kOldRecords);
  const auto error = SavePair(path);
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(error->file, path + ".inf");
  EXPECT_EQ(error->reason, std::strerror(ENAMETOOLONG));
  EXPECT_EQ(ReadBytes(path), kOldRecords);
  EXPECT_EQ(Entries(), Names{std::string(252, 'n')});
}

// ---- Owner, group, attributes and hard links survive a save ----

// The attributes a save keeps, by name; those a file lacks are left out.
using Attributes = std::map<std::string, std::string>;
Attributes AttributesOf(const std::string& path) {
  Attributes kept;
  for (const char* name : {"user.note", "system.posix_acl_access"}) {
    char value[256];
    const ssize_t size = ::getxattr(path.c_str(), name, value, sizeof value);
    if (size >= 0) kept[name] = std::string(value, static_cast<std::size_t>(size));
  }
  return kept;
}

// An access list as the kernel takes it: the owner rw, another user rw, the user nobody nothing,
// the group r, at most rw for those three, others nothing. Skips where there are none.
void SetAccessList(const std::string& path, const char* attribute) {
  const struct {
    std::uint16_t tag, permissions;
    std::uint32_t id;
  } entries[] = {{0x01, 6, ~0u}, {0x02, 6, kOtherUser}, {0x02, 0, kNobody},
                 {0x04, 4, ~0u}, {0x10, 6, ~0u},        {0x20, 0, ~0u}};
  std::string value{2, 0, 0, 0};  // version 2, little-endian like every field
  for (const auto& entry : entries) {
    for (const std::uint32_t field :
         {std::uint32_t{entry.tag} | entry.permissions << 16, entry.id}) {
      for (int shift = 0; shift < 32; shift += 8) value += static_cast<char>(field >> shift);
    }
  }
  if (::setxattr(path.c_str(), attribute, value.data(), value.size(), 0) != 0) {
    GTEST_SKIP() << "no access lists here: " << std::strerror(errno);
  }
}

struct KeptCase {
  const char* name;
  bool asNobody;  // saved by the user nobody rather than root
  std::function<void(const std::string& path)> arrange;
};

class Kept : public SafeFilesTest, public ::testing::WithParamInterface<KeptCase> {};

TEST_P(Kept, OwnerGroupAttributesAndLinks) {
  if (!IsRoot()) GTEST_SKIP() << "giving files to other users needs root";
  if (GetParam().asNobody) GiveFolderToNobody();
  WriteOldPair();
  GetParam().arrange(Ship());
  if (HasFatalFailure() || IsSkipped()) return;
  const struct stat before = StatOf(Ship());
  const Attributes attributesBefore = AttributesOf(Ship());
  const auto save = [&] { return Outcome(SavePair(Ship())); };

  EXPECT_EQ(GetParam().asNobody ? InChild(save, kNobody) : save(), "saved");

  const struct stat after = StatOf(Ship());
  EXPECT_EQ(after.st_uid, before.st_uid);
  EXPECT_EQ(after.st_gid, before.st_gid);
  EXPECT_EQ(after.st_mode, before.st_mode);
  EXPECT_EQ(after.st_nlink, before.st_nlink);
  EXPECT_EQ(AttributesOf(Ship()), attributesBefore);
  ExpectNewPair(Ship());
  for (const std::string& name : Entries()) {
    EXPECT_FALSE(name.starts_with(kTemporaryNamePrefix)) << name;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Saving, Kept,
    ::testing::Values(
        KeptCase{"AnotherUsersFile", false,
                 [](const std::string& path) {
                   ASSERT_EQ(::chown(path.c_str(), kOtherUser, kOtherUser), 0);
                   ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
                 }},
        KeptCase{"HardLinks", false,
                 [](const std::string& path) {
                   ASSERT_EQ(::link(path.c_str(), (path + ".twin").c_str()), 0);
                   ASSERT_EQ(::chown(path.c_str(), kOtherUser, kOtherUser), 0);
                 }},
        KeptCase{"UserAttributes", false,
                 [](const std::string& path) {
                   if (::setxattr(path.c_str(), "user.note", "mine", 5, 0) != 0) {
                     GTEST_SKIP() << "no user attributes here: " << std::strerror(errno);
                   }
                 }},
        // Dropped, the list would let in the user it shuts out.
        KeptCase{"AccessList", false,
                 [](const std::string& path) { SetAccessList(path, "system.posix_acl_access"); }},
        // The folder's default list is for new files, not for one that is replaced.
        KeptCase{"NoAccessListInAFolderWithADefaultOne", false,
                 [](const std::string& path) {
                   SetAccessList(path.substr(0, path.rfind('/')), "system.posix_acl_default");
                 }},
        // Not root: the owner cannot be given away, so the file is rewritten in place.
        KeptCase{"AnotherUsersFileThatNobodyMayWrite", true,
                 [](const std::string& path) {
                   ASSERT_EQ(::chown(path.c_str(), kOtherUser, kOtherUser), 0);
                   ASSERT_EQ(::chmod(path.c_str(), 0666), 0);
                   ASSERT_EQ(::chown((path + ".inf").c_str(), kNobody, kNobody), 0);
                 }},
        KeptCase{"AGroupNobodyIsNotIn", true,
                 [](const std::string& path) {
                   ASSERT_EQ(::chown(path.c_str(), kNobody, kOtherUser), 0);
                   ASSERT_EQ(::chmod(path.c_str(), 0664), 0);
                   ASSERT_EQ(::chown((path + ".inf").c_str(), kNobody, kNobody), 0);
                 }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SafeFilesTest, AHardLinkSeesTheNewContents) {
  WriteOldPair();
  ASSERT_EQ(::link(Ship().c_str(), PathOf("twin.spr").c_str()), 0);
  ASSERT_EQ(Outcome(SavePair(Ship())), "saved");
  EXPECT_EQ(ReadBytes(PathOf("twin.spr")), kNewRecords);
  EXPECT_EQ(StatOf(PathOf("twin.spr")).st_ino, StatOf(Ship()).st_ino);
  EXPECT_EQ(Entries(), (Names{"ship.spr", "ship.spr.inf", "twin.spr"}));
}

// ---- Names: any name that fits saves; nothing temporary is left behind ----

TEST_F(SafeFilesTest, A250ByteNameSavesWithItsSidecar) {
  const std::string name(250, 'x');
  WriteBytes(PathOf(name), kOldRecords);
  ASSERT_EQ(Outcome(SavePair(PathOf(name))), "saved");
  ExpectNewPair(PathOf(name));
  EXPECT_EQ(Entries(), (Names{name, name + ".inf"}));
}

// A save touches no file of the folder but its own, even one named as its copies are: nothing
// proves such a file is a copy a killed save left behind and not the user's.
TEST_F(SafeFilesTest, ASaveLeavesFilesNamedAsItsCopiesAlone) {
  WriteOldPair();
  for (const char* name : {".kelvane-ship01", ".kelvane-Back01~"})
    WriteBytes(PathOf(name), kNewRecords);
  ASSERT_EQ(Outcome(SavePair(Ship())), "saved");
  EXPECT_EQ(Entries(), (Names{".kelvane-Back01~", ".kelvane-ship01", "ship.spr", "ship.spr.inf"}));
}

// Ctrl+C between two sets of one save puts the first set back: all of the save or none of it.
TEST_F(SafeFilesTest, ATerminationSignalBetweenTwoSetsPutsTheFirstBack) {
  WriteOldPair();
  const std::string seen = InChild([&] {
    // Already waiting when the save starts, so it is seen after the first set.
    sigset_t terminate;
    sigemptyset(&terminate);
    sigaddset(&terminate, SIGTERM);
    ::sigprocmask(SIG_BLOCK, &terminate, nullptr);
    ::raise(SIGTERM);
    const FileImage first[] = {{Ship(), kNewRecords}, {Ship() + ".inf", kNewColours}};
    const FileImage second[] = {{PathOf("new.spr"), kNewRecords}};
    const std::span<const FileImage> groups[] = {first, second};
    return Outcome(SaveFileGroups(groups));
  });
  EXPECT_EQ(seen, PathOf("new.spr") + ": not saved: interrupted");
  ExpectOldPair();
  EXPECT_EQ(Entries(), (Names{"ship.spr", "ship.spr.inf"}));
}

// Whether some process waits for the flock on the file with this inode.
bool LockIsAwaited(ino_t inode) {
  std::ifstream locks("/proc/locks");
  const std::string file = ":" + std::to_string(inode) + " ";
  for (std::string line; std::getline(locks, line);) {
    if (line.find("-> FLOCK") != std::string::npos && line.find(file) != std::string::npos) {
      return true;
    }
  }
  return false;
}

// A set goes in place only under its folder's lock, so two saves of one set never mix files.
TEST_F(SafeFilesTest, ASetWaitsForTheFolderLockAnotherSaveHolds) {
  WriteOldPair();
  FileDescriptor folder(::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  ASSERT_EQ(::flock(folder.Get(), LOCK_EX), 0);
  auto save = std::async(std::launch::async, [&] { return Outcome(SavePair(Ship())); });
  bool waited = false;
  while (!(waited = LockIsAwaited(StatOf(folder_).st_ino)) &&
         save.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
    std::this_thread::yield();
  }
  EXPECT_TRUE(waited) << "saved while another save held the lock";
  ExpectOldPair();
  folder.Close();
  EXPECT_EQ(save.get(), "saved");
  ExpectNewPair(Ship());
}

// ---- Special files are refused, not replaced ----

struct SpecialCase {
  const char* name;
  std::function<bool(const std::string& path)> make;  // false: cannot be made here
  const char* reason;
};

class SpecialFile : public SafeFilesTest,
                    public ::testing::WithParamInterface<std::tuple<SpecialCase, bool>> {};

TEST_P(SpecialFile, IsRefusedAndNothingChanges) {
  const auto& [c, asSidecar] = GetParam();
  WriteOldPair();
  const std::string special = asSidecar ? Ship() + ".inf" : Ship();
  std::filesystem::remove(special);
  if (!c.make(special)) GTEST_SKIP() << "cannot make one here: " << std::strerror(errno);
  const struct stat before = StatOf(special);
  const Names entries = Entries();

  const auto error = WithoutWaitingOnFifo(special, false, [&] { return SavePair(Ship()); });

  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(error->file, special);
  EXPECT_EQ(error->problem, FileProblem::NotRegularFile);
  EXPECT_EQ(error->reason, c.reason);
  EXPECT_EQ(StatOf(special).st_mode, before.st_mode);
  EXPECT_EQ(ReadBytes(asSidecar ? Ship() : Ship() + ".inf"), asSidecar ? kOldRecords : kOldColours);
  EXPECT_EQ(Entries(), entries);
}

INSTANTIATE_TEST_SUITE_P(
    Saving, SpecialFile,
    ::testing::Combine(
        ::testing::Values(
            SpecialCase{"Fifo", [](const std::string& p) { return ::mkfifo(p.c_str(), 0600) == 0; },
                        "not a regular file"},
            SpecialCase{"Device",
                        [](const std::string& p) {
                          return ::mknod(p.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
                        },
                        "not a regular file"},
            SpecialCase{"Socket",
                        [](const std::string& p) {
                          sockaddr_un address{};
                          address.sun_family = AF_UNIX;
                          if (p.size() >= sizeof address.sun_path) return false;
                          std::strcpy(address.sun_path, p.c_str());
                          const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
                          const bool bound =
                              ::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
                          ::close(s);
                          return bound;
                        },
                        "not a regular file"},
            SpecialCase{"DanglingLink",
                        [](const std::string& p) { return ::symlink("nowhere", p.c_str()) == 0; },
                        "a link to a file that is not there"},
            SpecialCase{"LinkToItself",
                        [](const std::string& p) { return ::symlink(p.c_str(), p.c_str()) == 0; },
                        "a link that leads round in a circle"},
            SpecialCase{"Folder",
                        [](const std::string& p) { return ::mkdir(p.c_str(), 0755) == 0; },
                        "Is a directory"}),
        ::testing::Bool()),
    [](const auto& info) {
      return std::string(std::get<0>(info.param).name) +
             (std::get<1>(info.param) ? "AsSidecar" : "AsRecords");
    });

// ---- A link is followed once, and both files are saved at its target ----

TEST_F(SafeFilesTest, SavingThroughALinkUpdatesTheTargetAndItsSidecar) {
  std::filesystem::create_directories(PathOf("real"));
  WriteBytes(PathOf("real/ship.spr"), kOldRecords);
  WriteBytes(PathOf("real/ship.spr.inf"), kOldColours);
  std::filesystem::create_symlink("real/ship.spr", PathOf("middle.spr"));
  std::filesystem::create_symlink("middle.spr", PathOf("link.spr"));

  for (const char* link : {"middle.spr", "link.spr"}) {
    SCOPED_TRACE(link);
    ASSERT_EQ(Outcome(SavePair(PathOf(link))), "saved");
    ExpectNewPair(PathOf("real/ship.spr"));
    EXPECT_TRUE(std::filesystem::is_symlink(PathOf(link)));
    EXPECT_EQ(Entries(), (Names{"link.spr", "middle.spr", "real"}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(PathOf("real")), {}), 2);
    // Loading through the link finds the colours where they were saved.
    const auto read = ReadSpriteSet(SpriteFormats(), PathOf(link));
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read->colours, (SharedColours{4, 5, 6}));
    WriteBytes(PathOf("real/ship.spr.inf"), kOldColours);
  }
}

// Saved twice, the one file would keep only the sidecar's three bytes.
TEST_F(SafeFilesTest, ASidecarThatIsTheSpriteFileItselfIsRefused) {
  const std::string sidecar = Ship() + ".inf";
  for (const bool hardLink : {false, true}) {
    SCOPED_TRACE(hardLink ? "hard link" : "symbolic link");
    std::filesystem::remove(sidecar);
    WriteBytes(Ship(), kOldRecords);
    ASSERT_EQ(
        hardLink ? ::link(Ship().c_str(), sidecar.c_str()) : ::symlink("ship.spr", sidecar.c_str()),
        0);
    EXPECT_EQ(Outcome(SavePair(Ship())), sidecar + ": is the same file as " + Ship());
    EXPECT_EQ(ReadBytes(Ship()), kOldRecords);
    EXPECT_EQ(Entries(), (Names{"ship.spr", "ship.spr.inf"}));
  }
}

}  // namespace
}  // namespace kelvane
