#include <gtest/gtest.h>
#include <sys/stat.h>

#include <optional>

#include "TempFolder.h"
#include "files/TextData.h"
#include "model/SpriteBank.h"

namespace kelvane {
namespace {

struct TextCase {
  const char* name;
  int firstByte, lastByte;  // pixel bytes firstByte..lastByte get value (or their index)
  int value;
  const char* expected;
};

class SpriteTextTable : public ::testing::TestWithParam<TextCase> {};

TEST_P(SpriteTextTable, IsExactlyTheCommaSeparatedPixelBytes) {
  const TextCase& c = GetParam();
  SpriteRecord sprite{};
  for (int i = c.firstByte; i <= c.lastByte; ++i) sprite[i] = c.value < 0 ? i : c.value;
  sprite[kAttributeOffset] = 0x8C;
  EXPECT_EQ(SpriteTextData(sprite), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    TextData, SpriteTextTable,
    ::testing::Values(
        // 63 zeros and 62 commas: the shortest text, 125 characters.
        TextCase{"blank", 0, -1, 0,
                 "0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,"
                 "0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0"},
        TextCase{"first_row_set", 0, 2, 255,
                 "255,255,255,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,"
                 "0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0"},
        // One- and two-digit numbers, in byte order.
        TextCase{"counting", 0, 62, -1,
                 "0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21,22,23,24,25,26,27,28,29,"
                 "30,31,32,33,34,35,36,37,38,39,40,41,42,43,44,45,46,47,48,49,50,51,52,53,54,55,56,"
                 "57,58,59,60,61,62"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TextData, FullSpriteIsTheLongestText) {
  SpriteRecord sprite;
  sprite.fill(255);
  const std::string text = SpriteTextData(sprite);
  EXPECT_EQ(text.size(), 251u);
  EXPECT_EQ(text.substr(0, 4), "255,");
  EXPECT_EQ(text.substr(text.size() - 4), ",255");
}

TEST(TextData, AttributeByteNeverAppears) {
  SpriteBank bank;
  bank.Sprite(200)[62] = 7;
  const std::string before = SpriteTextData(bank.Sprite(200));
  for (const std::uint8_t attribute : {0x00, 0x0F, 0x80, 0xFF}) {
    bank.Attribute(200) = attribute;
    EXPECT_EQ(SpriteTextData(bank.Sprite(200)), before) << int{attribute};
  }
  EXPECT_EQ(before.substr(before.size() - 2), ",7");
}

class TextDataFileTest : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    auto made = TextDataFolder::Create(folder_);
    ASSERT_TRUE(made.ok()) << Describe(made.error());
    export_.emplace(std::move(*made));
  }
  void TearDown() override {
    export_.reset();
    TempFolderTest::TearDown();
  }

  static std::string ReadText(const std::string& path) {
    const auto bytes = ReadBytes(path);
    return {bytes.begin(), bytes.end()};
  }
  std::string Export() const { return export_->FilePath(); }

  std::optional<TextDataFolder> export_;
};

TEST_F(TextDataFileTest, WritesPrivatelyIntoAPrivateFolderAndReplacesThePreviousExport) {
  EXPECT_EQ(PermissionsOf(export_->FolderPath()), 0700u);
  SpriteRecord full;
  full.fill(255);
  ASSERT_FALSE(export_->Write(SpriteTextData(full)));
  EXPECT_EQ(PermissionsOf(Export()), 0600u);
  const std::string blank = SpriteTextData(SpriteRecord{});
  ASSERT_FALSE(export_->Write(blank));
  EXPECT_EQ(ReadText(Export()), blank);
}

TEST_F(TextDataFileTest, NeverWritesThroughAPlantedLink) {
  WriteBytes(PathOf("victim"), {'k', 'e', 'e', 'p'});
  for (const char* target : {"victim", "created-through-link"}) {
    std::filesystem::remove(Export());
    std::filesystem::create_symlink(PathOf(target), Export());
    EXPECT_TRUE(export_->Write("1,2,3")) << target;
    EXPECT_TRUE(std::filesystem::is_symlink(Export()));
  }
  EXPECT_EQ(ReadText(PathOf("victim")), "keep");
  EXPECT_FALSE(std::filesystem::exists(PathOf("created-through-link")));
}

TEST_F(TextDataFileTest, RefusesAFifoOrFolderWithoutWaiting) {
  ASSERT_EQ(::mkfifo(Export().c_str(), 0600), 0);
  EXPECT_TRUE(WithoutWaitingOnFifo(Export(), false, [&] { return export_->Write("0"); }));
  std::filesystem::remove(Export());
  std::filesystem::create_directory(Export());
  EXPECT_TRUE(export_->Write("0"));
}

// Where the temporary folder lets anyone rename entries, another user can move the private
// folder away and put a link to a folder of their choice under its name.
TEST_F(TextDataFileTest, AFolderSwappedForALinkIsNeitherWrittenThroughNorShown) {
  const std::string original = export_->FolderPath();
  std::filesystem::create_directory(PathOf("elsewhere"));
  std::filesystem::rename(original, PathOf("moved"));
  std::filesystem::create_directory_symlink(PathOf("elsewhere"), original);

  ASSERT_FALSE(export_->Write("1,2"));

  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(PathOf("elsewhere")), {}), 0);
  EXPECT_NE(export_->FolderPath(), original);
  EXPECT_EQ(ReadText(Export()), "1,2");
  EXPECT_EQ(PermissionsOf(export_->FolderPath()), 0700u);
}

TEST_F(TextDataFileTest, AFolderDeletedMeanwhileIsMadeAgain) {
  ASSERT_FALSE(export_->Write("1"));
  std::filesystem::remove_all(export_->FolderPath());
  ASSERT_FALSE(export_->Write("2"));
  EXPECT_EQ(ReadText(Export()), "2");
  EXPECT_EQ(PermissionsOf(export_->FolderPath()), 0700u);
}

// The viewer gets a file:// address of it, which a relative folder cannot make.
TEST_F(TextDataFileTest, AFolderUnderARelativeBaseIsNamedInFull) {
  const std::filesystem::path started = std::filesystem::current_path();
  std::filesystem::current_path(folder_);
  std::filesystem::create_directory("relative");
  auto made = TextDataFolder::Create("relative");
  std::filesystem::current_path(started);
  ASSERT_TRUE(made.ok()) << Describe(made.error());
  EXPECT_EQ(made->FolderPath().rfind(PathOf("relative/kelvane-"), 0), 0u) << made->FolderPath();
}

TEST_F(TextDataFileTest, FileAndFolderGoWithIt) {
  ASSERT_FALSE(export_->Write("1"));
  const std::string folder = export_->FolderPath();
  export_.reset();
  EXPECT_FALSE(std::filesystem::exists(folder));
  EXPECT_EQ(Entries(), std::vector<std::string>{});
}

TEST_F(TextDataFileTest, AFolderSwappedAwayIsNotRemovedAtTheEnd) {
  const std::string original = export_->FolderPath();
  std::filesystem::rename(original, PathOf("moved"));
  std::filesystem::create_directory(original);  // someone else's folder now
  export_.reset();
  EXPECT_TRUE(std::filesystem::is_directory(original));
}

}  // namespace
}  // namespace kelvane
