// The recovery file brings a document back exactly, and nothing but a whole file is taken.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/Crc32.h"
#include "files/RecoveryFile.h"

namespace kelvane {
namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr std::size_t kLoadAddressFlag = 40;  // with path, title and format empty

KeptDocument Everything() {
  KeptDocument d;
  d.path = "/home/u/ship\xff.spd";  // not UTF-8: the system's bytes
  d.title = "ship\xc3\xa9.spd";
  d.format = "spd";
  d.details = {3, {1, 2, 3}, Bytes(300, 7), 0x2000};
  d.records = 32;
  d.onDisk = FileStamp{"/home/u/ship.spd", 2049, 123456789, 2089, -5};
  for (int i = 0; i < kBankBytes; ++i) d.bank.Bytes()[i] = static_cast<std::uint8_t>(i * 31);
  d.colours = {0, 15, 9};
  d.animations = {{0, 6, 2, 0x90}, {300, 7, 255, 0}, {0, 0, 3, 0x41, true}};
  d.objects = {{"boss", 2, 1, {4, 9}, 0x12, 0xFF}};
  d.overlayDistance = -2;
  d.writtenAt = 1765300000;
  return d;
}

Bytes Resealed(Bytes bytes) {
  const std::uint32_t crc = Crc32(std::span(bytes).first(bytes.size() - 4));
  for (int i = 0; i < 4; ++i) bytes[bytes.size() - 4 + i] = static_cast<std::uint8_t>(crc >> 8 * i);
  return bytes;
}

TEST(RecoveryFile, BringsEveryFieldBackExactly) {
  EXPECT_EQ(Crc32(Bytes{'1', '2', '3', '4', '5', '6', '7', '8', '9'}), 0xCBF43926u);
  for (const KeptDocument& kept : {Everything(), KeptDocument{}}) {
    const auto back = DecodeKeptDocument(EncodeKeptDocument(kept), "r");
    ASSERT_TRUE(back) << back.error().reason;
    EXPECT_EQ(*back, kept);
  }
}

TEST(RecoveryFile, EveryFileCutShortIsRefused) {
  const Bytes whole = EncodeKeptDocument(Everything());
  for (std::size_t size = 0; size < whole.size(); size += size < 64 ? 1 : 97) {
    EXPECT_FALSE(DecodeKeptDocument(std::span(whole).first(size), "r")) << size;
  }
}

TEST(RecoveryFile, DamagedOrHostileFilesAreRefusedWithTheirReason) {
  KeptDocument empty;
  empty.format.clear();
  const auto hostile = [](auto change) {
    KeptDocument d;
    change(d);
    return EncodeKeptDocument(d);
  };
  const Bytes good = EncodeKeptDocument(empty);
  struct Case {
    const char* name;
    Bytes bytes;
    const char* reason;
  };
  const auto with = [&](std::size_t at, std::uint8_t value, bool reseal) {
    Bytes b = good;
    b[at] = value;
    return reseal ? Resealed(b) : b;
  };
  Bytes longer = good;
  longer.push_back(0);
  const Case cases[] = {
      {"a stray write", with(kLoadAddressFlag, 1, false), "checksum"},
      {"another file", with(0, 'X', false), "no recovery mark"},
      {"a newer version", with(8, 5, true), "another version"},
      {"grown", longer, "length does not match"},
      {"a length past the end", with(12, 0xFF, true), "length does not match"},
      {"a flag of 2", with(kLoadAddressFlag, 2, true), "neither present nor absent"},
      {"a text field of 4 GB", with(19, 0xFF, true), "longer than it may be"},
      {"300 records", hostile([](KeptDocument& d) { d.records = 300; }), "out of range"},
      {"-1 records", hostile([](KeptDocument& d) { d.records = -1; }), "out of range"},
      {"an object naming sprite 256", hostile([](KeptDocument& d) {
         d.objects = {{"", 2, 1, {0, kSpriteCount}, 0, 0}};
       }),
       "out of range"},
      {"colour 16", hostile([](KeptDocument& d) { d.colours[1] = 16; }), "colour out of range"},
      {"a path of 5000 bytes", hostile([](KeptDocument& d) { d.path.assign(5000, 'a'); }),
       "longer than it may be"},
  };
  for (const Case& c : cases) {
    const auto read = DecodeKeptDocument(c.bytes, "kept.recovery");
    ASSERT_FALSE(read) << c.name;
    EXPECT_EQ(read.error().file, "kept.recovery") << c.name;
    EXPECT_EQ(read.error().problem, FileProblem::Format) << c.name;
    EXPECT_NE(read.error().reason.find(c.reason), std::string::npos)
        << c.name << ": " << read.error().reason;
  }
}

}  // namespace
}  // namespace kelvane
