#include <gtest/gtest.h>

#include "SpritePadFixture.h"
#include "files/BankFit.h"
#include "files/PrgFormat.h"
#include "files/RawFormat.h"
#include "files/SpriteSets.h"

namespace kelvane {
namespace {

using fixture::Bytes;
using fixture::Concat;

const std::string kPrgPath = "/art/ship.prg";

Bytes ShortLast(int records) {  // the last record stops after its 63 pixel bytes
  Bytes bytes = fixture::RecordBytes(records);
  bytes.pop_back();
  return bytes;
}

struct PrgCase {
  std::string name;
  Bytes file;
  std::uint16_t loadAddress;
  int records;
  int shape;
};

class PrgRead : public ::testing::TestWithParam<PrgCase> {};

TEST_P(PrgRead, KeepsLoadAddressAndShapeOnTheWayBack) {
  const auto& c = GetParam();
  const PrgFormat codec;
  EXPECT_EQ(codec.Recognise(c.file, kPrgPath), Recognition::BySizeAndName);
  EXPECT_EQ(codec.Recognise(c.file, "x.dat"), Recognition::BySize);

  const auto set = ReadPrg(c.file, kPrgPath);
  ASSERT_TRUE(set.ok()) << set.error().reason;
  EXPECT_EQ(set->format, "prg");
  EXPECT_EQ(set->details.loadAddress, c.loadAddress);
  EXPECT_EQ(set->details.version, c.shape);
  EXPECT_FALSE(set->colours.has_value());
  auto expected = fixture::Records(c.records);
  if (c.shape == kPrgShortLastRecord) expected.back()[kAttributeOffset] = kPrgPaddedAttribute;
  EXPECT_EQ(set->records, expected);

  const auto written = codec.Write(*set, "/out/copy.prg");
  ASSERT_TRUE(written.ok());
  EXPECT_EQ((*written)[0].bytes, c.file);
}

INSTANTIATE_TEST_SUITE_P(
    Prg, PrgRead,
    ::testing::Values(PrgCase{"Empty", {0x00, 0x20}, 0x2000, 0, kPrgWholeRecords},
                      PrgCase{"Whole", Concat({{0x40, 0x0C}, fixture::RecordBytes(3)}), 0x0C40, 3,
                              kPrgWholeRecords},
                      PrgCase{"ShortLastRecord", Concat({{0x00, 0x30}, ShortLast(1)}), 0x3000, 1,
                              kPrgShortLastRecord},
                      PrgCase{"ManyWithShortLast", Concat({{0xC0, 0x0F}, ShortLast(300)}), 0x0FC0,
                              300, kPrgShortLastRecord}),
    [](const auto& info) { return info.param.name; });

TEST(Prg, ShortLastRecordIsWrittenWholeOnceItsAttributeIsSet) {
  auto set = ReadPrg(Concat({{0x00, 0x30}, ShortLast(2)}), kPrgPath);
  ASSERT_TRUE(set.ok());
  set->records.back()[kAttributeOffset] = 0xE3;  // multi-colour, expand X and Y, colour 3
  const Bytes written = WritePrg(*set, kDefaultPrgLoadAddress);
  ASSERT_EQ(written.size(), 2 + 2 * 64u);
  EXPECT_EQ(written.back(), 0xE3);
}

TEST(Prg, NewFilesLoadAtTheChosenAddress) {
  auto set = fixture::SetOf(fixture::Records(2));
  EXPECT_EQ(WritePrg(set, kDefaultPrgLoadAddress), Concat({{0x00, 0x20}, fixture::RecordBytes(2)}));
  const auto written = PrgFormat(0x0340).Write(set, kPrgPath);
  EXPECT_EQ((*written)[0].bytes, Concat({{0x40, 0x03}, fixture::RecordBytes(2)}));
  set.details.loadAddress = 0x8000;  // the set's own address wins over the codec's default
  EXPECT_EQ(WritePrg(set, kDefaultPrgLoadAddress), Concat({{0x00, 0x80}, fixture::RecordBytes(2)}));
}

// Loaded, a file past $FFFF would wrap round into zero page.
TEST(Prg, AFileThatWouldRunPastTheTopOfMemoryIsNotSaved) {
  const auto fits = ReadPrg(Concat({{0xC1, 0xFF}, ShortLast(1)}), kPrgPath);  // $FFC1-$FFFF
  ASSERT_TRUE(fits.ok());
  EXPECT_EQ(PrgBodyBytes(*fits), 63u);  // what Export measures too
  EXPECT_TRUE(PrgFormat().Write(*fits, kPrgPath).ok());
  auto set = fixture::SetOf(fixture::Records(kSpriteCount));
  set.details.loadAddress = 0xF000;
  EXPECT_TRUE(PrgFormat().Write(set, kPrgPath).ok());  // the codec gives back any file it read
  const auto refused = SaveSpriteSet(PrgFormat(), set, kPrgPath);
  ASSERT_TRUE(refused.has_value());
  EXPECT_EQ(refused->reason,
            "cannot be saved: a PRG of 256 sprites (16384 bytes) loaded at $F000 would run past "
            "$FFFF, the top of memory");
}

struct Refusal {
  std::string name;
  std::size_t size;
  std::string says;
};

class PrgRefusal : public ::testing::TestWithParam<Refusal> {};

TEST_P(PrgRefusal, NamesFileAndReason) {
  const auto& c = GetParam();
  const Bytes file(c.size, 0);
  EXPECT_EQ(PrgFormat().Recognise(file, kPrgPath), Recognition::No);
  const auto set = ReadPrg(file, kPrgPath);
  ASSERT_FALSE(set.ok());
  EXPECT_EQ(set.error().file, kPrgPath);
  EXPECT_EQ(set.error().problem, FileProblem::Format);
  EXPECT_NE(set.error().reason.find(c.says), std::string::npos) << set.error().reason;
}

INSTANTIATE_TEST_SUITE_P(Prg, PrgRefusal,
                         ::testing::Values(Refusal{"NoLoadAddress", 1, "no 2-byte load address"},
                                           Refusal{"PartOfARecord", 2 + 62, "(62 left over)"},
                                           Refusal{"OneByteTooMany", 2 + 65, "(1 left over)"}),
                         [](const auto& info) { return info.param.name; });

TEST(Raw, ReadsAndWritesWholeRecords) {
  const RawFormat codec;
  for (const int count : {0, 1, 166, 300}) {
    const Bytes file = fixture::RecordBytes(count);
    EXPECT_EQ(codec.Recognise(file, "/art/SHIP.BIN"), Recognition::BySizeAndName);
    const auto set = codec.Read({"/art/ship.bin", file}, {});
    ASSERT_TRUE(set.ok());
    EXPECT_EQ(set->format, "bin");
    EXPECT_EQ(set->records, fixture::Records(count));
    EXPECT_FALSE(set->colours.has_value());
    EXPECT_EQ(WriteRaw(*set), file);
  }
  const auto refused = ReadRaw(Bytes(100), "/art/ship.bin");
  ASSERT_FALSE(refused.ok());
  EXPECT_EQ(refused.error().file, "/art/ship.bin");
  EXPECT_EQ(refused.error().problem, FileProblem::Format);
  EXPECT_NE(refused.error().reason.find("(36 left over)"), std::string::npos);
  EXPECT_EQ(codec.Recognise(Bytes(100), "/art/ship.bin"), Recognition::No);
}

TEST(BankFit, MoreThan256SpritesAreRefusedWithTheCounts) {
  EXPECT_EQ(CheckFitsBank(fixture::SetOf(fixture::Records(256)), kPrgPath), std::nullopt);
  const auto error = CheckFitsBank(fixture::SetOf(fixture::Records(257)), kPrgPath);
  ASSERT_TRUE(error.has_value());
  EXPECT_EQ(error->file, kPrgPath);
  EXPECT_EQ(error->problem, FileProblem::TooManySprites);
  EXPECT_NE(error->reason.find("holds 257 sprites; the bank takes 256"), std::string::npos);
}

}  // namespace
}  // namespace kelvane
