#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>

#include "TempFolder.h"
#include "files/BankFit.h"
#include "files/SafeFiles.h"
#include "files/SprFormat.h"
#include "files/SpriteSets.h"

namespace kelvane {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Names = std::vector<std::string>;

// Varies within a record and from record to record, so a misplaced record shows.
Bytes Pattern(int size) {
  Bytes bytes(size);
  for (int i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i * 37 + i / 251 + 11);
  return bytes;
}

Bytes Head(const SpriteBank& bank, int size) {
  return {bank.Bytes().begin(), bank.Bytes().begin() + size};
}

Bytes BytesOf(const std::vector<SpriteRecord>& records) {
  Bytes bytes;
  for (const SpriteRecord& r : records) bytes.insert(bytes.end(), r.begin(), r.end());
  return bytes;
}

// A document whose whole bank is the pattern, with the shared colours 9, 3 and 12.
SpriteDocument PatternedDocument() {
  SpriteDocument document;
  const Bytes bytes = Pattern(kBankBytes);
  std::vector<SpriteRecord> records(kSpriteCount);
  for (int n = 0; n < kSpriteCount; ++n) {
    std::copy_n(bytes.begin() + n * kSpriteBytes, kSpriteBytes, records[n].begin());
  }
  document.Load(records, SharedColours{9, 3, 12});
  return document;
}

Result<SpriteSet> Read(const std::string& path) {
  return ReadSpriteSet(SpriteFormats(), path);
}

std::optional<FileError> Save(const SpriteDocument& document, int bytes, const std::string& path) {
  return SaveSpriteSet(*SpriteFormats().Find("spr"), SpriteSetOf(document, bytes / kSpriteBytes),
                       path);
}

class SpriteFileTest : public TempFolderTest {};
class AcceptedSize : public TempFolderTest, public ::testing::WithParamInterface<int> {};
class RejectedSize : public TempFolderTest, public ::testing::WithParamInterface<int> {};
class SaveSize : public TempFolderTest, public ::testing::WithParamInterface<int> {};

TEST_P(AcceptedSize, RecordsReplaceTheirSpritesAndTheRestStay) {
  const int size = GetParam();
  const Bytes file = Pattern(size);
  WriteBytes(PathOf("ship.spr"), file);

  const auto set = Read(PathOf("ship.spr"));
  ASSERT_TRUE(set.ok()) << set.error().reason;
  EXPECT_EQ(set->format, "spr");
  EXPECT_EQ(BytesOf(set->records), file);
  EXPECT_FALSE(set->colours.has_value());

  SpriteDocument document;
  const SpriteRecord marked = [] {
    SpriteRecord r;
    r.fill(0xA5);
    return r;
  }();
  document.PutSprites(0, std::vector<SpriteRecord>(kSpriteCount, marked));
  document.Load(set->records, set->colours);
  for (int i = 0; i < kBankBytes; ++i) {
    ASSERT_EQ(document.Bank().Bytes()[i], i < size ? file[i] : 0xA5) << "byte " << i;
  }
}
INSTANTIATE_TEST_SUITE_P(SpriteFile, AcceptedSize, ::testing::Values(0, 64, 1024, 16384));

// As the window opens it: whole records past the bank's end are read, and then refused.
TEST_P(RejectedSize, IsRefusedForItsSize) {
  WriteBytes(PathOf("ship.spr"), Pattern(GetParam()));
  const auto set = Read(PathOf("ship.spr"));
  const auto error = set ? CheckFitsBank(*set, PathOf("ship.spr")) : set.error();
  EXPECT_EQ(error, (FileError{PathOf("ship.spr"), FileProblem::Size, "Invalid file size"}));
}
// Not whole records, one byte too many, and whole records past the bank's end.
INSTANTIATE_TEST_SUITE_P(SpriteFile, RejectedSize, ::testing::Values(63, 100, 16385, 16448));

TEST_F(SpriteFileTest, MissingFileAndFolderAreRefusedForWhatTheyAre) {
  const auto missing = Read(PathOf("nothing.spr"));
  ASSERT_FALSE(missing.ok());
  EXPECT_EQ(missing.error().problem, FileProblem::Missing);
  std::filesystem::create_directory(PathOf("folder.spr"));
  const auto folder = Read(PathOf("folder.spr"));
  ASSERT_FALSE(folder.ok());
  EXPECT_EQ(folder.error().problem, FileProblem::NotRegularFile);
}

TEST_F(SpriteFileTest, FifoWithoutWriterIsRefusedAtOnce) {
  const std::string fifo = PathOf("pipe.spr");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_FALSE(WithoutWaitingOnFifo(fifo, true, [&] { return Read(fifo).ok(); }));
  // A sidecar that is a FIFO is no sidecar.
  WriteBytes(PathOf("ship.spr"), Pattern(64));
  ASSERT_EQ(::mkfifo(PathOf("ship.spr.inf").c_str(), 0600), 0);
  EXPECT_FALSE(WithoutWaitingOnFifo(PathOf("ship.spr.inf"), true,
                                    [&] { return Read(PathOf("ship.spr"))->colours; }));
}

TEST_F(SpriteFileTest, SidecarKeepsTheSpriteFilesWholeName) {
  WriteBytes(PathOf("ship.spr"), {});
  WriteBytes(PathOf("ship.inf"), {1, 2, 3});
  EXPECT_FALSE(Read(PathOf("ship.spr"))->colours.has_value());
  WriteBytes(PathOf("ship.spr.inf"), {4, 5, 6});
  EXPECT_EQ(Read(PathOf("ship.spr"))->colours, (SharedColours{4, 5, 6}));
}

TEST_F(SpriteFileTest, SidecarOfAnyOtherSizeOrKindIsIgnored) {
  WriteBytes(PathOf("ship.spr"), Pattern(128));
  const std::string sidecar = PathOf("ship.spr.inf");
  for (const int size : {0, 2, 4, 64}) {
    WriteBytes(sidecar, Bytes(size, 1));
    const auto set = Read(PathOf("ship.spr"));
    ASSERT_TRUE(set.ok());
    EXPECT_FALSE(set->colours.has_value()) << size << " bytes";
  }
  std::filesystem::remove(sidecar);
  std::filesystem::create_directory(sidecar);
  EXPECT_FALSE(Read(PathOf("ship.spr"))->colours.has_value());
}

struct SidecarCase {
  const char* name;
  SharedColours bytes;
  std::array<std::uint8_t, kPenCount> pens;
};

class ApplySidecarTable : public TempFolderTest,
                          public ::testing::WithParamInterface<SidecarCase> {};

// Reading keeps the low four bits, as the VIC-II does, so that the converter writes what the
// window's Export of the same file writes.
TEST_P(ApplySidecarTable, SetsSharedColoursOnly) {
  WriteBytes(PathOf("ship.spr"), {});
  WriteBytes(PathOf("ship.spr.inf"), {GetParam().bytes.begin(), GetParam().bytes.end()});
  const auto set = Read(PathOf("ship.spr"));
  ASSERT_TRUE(set.ok());
  const auto& pens = GetParam().pens;
  EXPECT_EQ(set->colours, (SharedColours{pens[0], pens[1], pens[3]}));
  SpriteDocument document;  // pens 6, 1, 12 (sprite 0's colour), 0
  document.Load(set->records, set->colours);
  EXPECT_EQ(document.PenColours(), GetParam().pens);
}
INSTANTIATE_TEST_SUITE_P(
    SpriteFile, ApplySidecarTable,
    ::testing::Values(SidecarCase{"zero_fifteen_two", {0, 15, 2}, {0, 15, 12, 2}},
                      SidecarCase{"low_nibble_kept", {0x1F, 0x10, 0xFF}, {15, 0, 12, 15}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SpriteFile, SavedColoursAreEntriesZeroOneAndThree) {
  const SpriteDocument document = PatternedDocument();
  EXPECT_EQ(SpriteSetOf(document, 0).colours, (SharedColours{9, 3, 12}));
}

TEST_P(SaveSize, WritesTheHeadOfTheBankAndTheSidecarOverOldFiles) {
  const int size = GetParam();
  const SpriteDocument document = PatternedDocument();
  const std::string path = PathOf("ship.spr");
  // Longer old files must not leave their tails behind.
  WriteBytes(path, Bytes(kBankBytes, 0xEE));
  WriteBytes(path + ".inf", Bytes(5, 0xEE));

  const auto error = Save(document, size, path);
  ASSERT_FALSE(error.has_value()) << error->file << ": " << error->reason;

  EXPECT_EQ(ReadBytes(path), Head(document.Bank(), size));
  EXPECT_EQ(ReadBytes(path + ".inf"), (Bytes{9, 3, 12}));
  const auto back = Read(path);
  ASSERT_TRUE(back.ok());
  EXPECT_EQ(BytesOf(back->records), Head(document.Bank(), size));
  EXPECT_EQ(back->colours, (SharedColours{9, 3, 12}));
  EXPECT_EQ(Entries(), (Names{"ship.spr", "ship.spr.inf"}));
}
// First 16, 32, 64 and 128; up to sprite 0 and sprite 199; the whole bank.
INSTANTIATE_TEST_SUITE_P(SpriteFile, SaveSize,
                         ::testing::Values(1024, 2048, 4096, 8192, 64 * (0 + 1), 64 * (199 + 1),
                                           16384));

TEST_F(SpriteFileTest, SaveKeepsOldPermissionsAndGivesNewFilesTheUmasksMode) {
  const Bytes bytes = Pattern(64);
  const mode_t savedMask = ::umask(022);
  WriteBytes(PathOf("old.spr"), {1});
  ASSERT_EQ(::chmod(PathOf("old.spr").c_str(), 0640), 0);
  EXPECT_FALSE(WriteFileAtomically(PathOf("old.spr"), bytes).has_value());
  EXPECT_EQ(PermissionsOf(PathOf("old.spr")), 0640u);
  EXPECT_FALSE(WriteFileAtomically(PathOf("new.spr"), bytes).has_value());
  EXPECT_EQ(PermissionsOf(PathOf("new.spr")), 0644u);
  ::umask(077);
  EXPECT_FALSE(WriteFileAtomically(PathOf("private.spr"), bytes).has_value());
  EXPECT_EQ(PermissionsOf(PathOf("private.spr")), 0600u);
  ::umask(savedMask);
}

TEST_F(SpriteFileTest, SaveThroughALinkReplacesTheFileItNames) {
  std::filesystem::create_directory(PathOf("real"));
  WriteBytes(PathOf("real/ship.spr"), {1, 2});
  std::filesystem::create_symlink("real/ship.spr", PathOf("link.spr"));

  EXPECT_FALSE(WriteFileAtomically(PathOf("link.spr"), Bytes{7, 8, 9}).has_value());
  EXPECT_TRUE(std::filesystem::is_symlink(PathOf("link.spr")));
  EXPECT_EQ(ReadBytes(PathOf("real/ship.spr")), (Bytes{7, 8, 9}));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(PathOf("real")), {}), 1);
}

TEST_F(SpriteFileTest, SaveUnderAPlainFileNamesTheSpriteFile) {
  WriteBytes(PathOf("plain"), {});
  const std::string path = PathOf("plain/ship.spr");
  const auto error = Save(SpriteDocument(), 1024, path);
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(error->file, path);
  EXPECT_EQ(error->reason, std::strerror(ENOTDIR));
  EXPECT_EQ(Entries(), (Names{"plain"}));
}

TEST_F(SpriteFileTest, SaveOverAFolderFailsAndLeavesNoTemporaryFile) {
  const std::string path = PathOf("ship.spr");
  std::filesystem::create_directory(path);
  const auto error = Save(SpriteDocument(), 1024, path);
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(error->file, path);
  EXPECT_EQ(error->reason, std::strerror(EISDIR));
  EXPECT_TRUE(std::filesystem::is_directory(path));
  EXPECT_EQ(Entries(), (Names{"ship.spr"}));
}

// The records are not saved without their colours: new sprites beside old colours would be a
// file the user never had.
TEST_F(SpriteFileTest, SidecarThatCannotBeWrittenIsTheOneNamedAndNothingIsSaved) {
  const std::string path = PathOf("ship.spr");
  std::filesystem::create_directory(path + ".inf");
  const auto error = Save(SpriteDocument(), 64, path);
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(error->file, path + ".inf");
  EXPECT_EQ(Entries(), (Names{"ship.spr.inf"}));
}

TEST_F(SpriteFileTest, WriteFailingPartWayLeavesTheOldFileWhole) {
  const std::string path = PathOf("ship.spr");
  const Bytes old = Pattern(64);
  WriteBytes(path, old);

  // Permission bits stop nothing for root; a file-size limit makes the write itself fail
  // after its first 100 bytes, with EFBIG once SIGXFSZ no longer kills the process.
  rlimit savedLimit{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &savedLimit), 0);
  const auto savedHandler = ::signal(SIGXFSZ, SIG_IGN);
  rlimit limit = savedLimit;
  limit.rlim_cur = 100;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
  const auto error = WriteFileAtomically(path, Pattern(1024));
  ::setrlimit(RLIMIT_FSIZE, &savedLimit);
  ::signal(SIGXFSZ, savedHandler);

  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(error->file, path);
  EXPECT_EQ(error->reason, std::strerror(EFBIG));
  EXPECT_EQ(ReadBytes(path), old);
  EXPECT_EQ(Entries(), (Names{"ship.spr"}));
}

}  // namespace
}  // namespace kelvane
