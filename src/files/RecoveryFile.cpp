#include "files/RecoveryFile.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <type_traits>

#include "files/Crc32.h"
#include "model/C64Format.h"

namespace kelvane {
namespace {

constexpr std::array<std::uint8_t, 8> kMagic = {'K', 'L', 'V', 'R', 'E', 'C', 'V', '\n'};
constexpr std::uint32_t kVersion = 4;                        // 4: animations over objects
constexpr std::size_t kHeaderBytes = kMagic.size() + 4 + 4;  // magic, version, payload length
constexpr std::size_t kChecksumBytes = 4;
constexpr std::size_t kMaxTextBytes = 4096;  // a path, a title, a codec id
constexpr int kMaxAnimations = 0xFFFF;       // as many as a SpritePad file can count
constexpr int kMaxSpriteNumber = 0xFFFF;
constexpr int kMaxByte = 0xFF;

// An animation's fields, each range-checked where it is read.
template <class Io, class Animation>
void AnimationFields(Io& io, Animation& a) {
  io.Int32(a.first, 0, kMaxSpriteNumber);
  io.Int32(a.last, 0, kMaxSpriteNumber);
  io.Int32(a.speed, 0, kMaxByte);
  int flags = a.flags;
  io.Int32(flags, 0, kMaxByte);
  if constexpr (!std::is_const_v<Animation>) a.flags = static_cast<std::uint8_t>(flags);
  int overObjects = a.overObjects ? 1 : 0;
  io.Int32(overObjects, 0, 1);
  if constexpr (!std::is_const_v<Animation>) a.overObjects = overObjects != 0;
}

constexpr int kMaxObjects = 0xFFFF;  // as many as a SpritePad file can count
constexpr int kMinStoredOverlayDistance = -0x8000;
constexpr int kMaxStoredOverlayDistance = 0x7FFF;

// A byte field, read and range-checked through an int.
template <class Io, class Byte>
void ByteField(Io& io, Byte& byte) {
  int value = byte;
  io.Int32(value, 0, kMaxByte);
  if constexpr (!std::is_const_v<Byte>) byte = static_cast<std::uint8_t>(value);
}

template <class Io, class Object>
void ObjectFields(Io& io, Object& o) {
  io.Text(o.name);
  io.Int32(o.columns, 1, kMaxObjectSide);
  io.Int32(o.rows, 1, kMaxObjectSide);
  if constexpr (!std::is_const_v<Object>) {
    o.cells.resize(static_cast<std::size_t>(o.columns * o.rows));
  }
  // An object is drawn and painted in the bank: a sprite past it would be read and written
  // outside it.
  for (auto& cell : o.cells) io.Int32(cell, 0, kLastSprite);
  ByteField(io, o.attribute);
  ByteField(io, o.tag);
}

// Every field of the file, in order, for both directions: a new field of the document is added
// here and nowhere else (with the version raised).
template <class Io, class Document>
void Fields(Io& io, Document& d) {
  io.Text(d.path);
  io.Text(d.title);
  io.Text(d.format);
  io.Int32(d.details.version);
  io.Blob(d.details.header);
  io.Blob(d.details.trailer);
  io.Optional(d.details.loadAddress, [&](auto& address) { io.Uint16(address); });
  io.Int32(d.records, 0, kSpriteCount);
  io.Optional(d.onDisk, [&](auto& stamp) {
    io.Text(stamp.file);
    io.Uint64(stamp.device);
    io.Uint64(stamp.inode);
    io.Int64(stamp.size);
    io.Int64(stamp.modifiedNs);
  });
  io.Bank(d.bank);
  for (auto& colour : d.colours) io.Colour(colour);
  int animations = static_cast<int>(d.animations.size());
  io.Int32(animations, 0, kMaxAnimations);
  if constexpr (!std::is_const_v<Document>)
    d.animations.resize(static_cast<std::size_t>(animations));
  for (auto& animation : d.animations) AnimationFields(io, animation);
  int objects = static_cast<int>(d.objects.size());
  io.Int32(objects, 0, kMaxObjects);
  if constexpr (!std::is_const_v<Document>) d.objects.resize(static_cast<std::size_t>(objects));
  for (auto& object : d.objects) ObjectFields(io, object);
  io.Int32(d.overlayDistance, kMinStoredOverlayDistance, kMaxStoredOverlayDistance);
  io.Int64(d.writtenAt);
}

void PutUint(std::vector<std::uint8_t>& out, std::uint64_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

class Writer {
 public:
  std::vector<std::uint8_t> out;

  void Text(const std::string& text) {
    Blob({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
  }
  void Blob(std::span<const std::uint8_t> bytes) {
    PutUint(out, bytes.size(), 4);
    out.insert(out.end(), bytes.begin(), bytes.end());
  }
  void Blob(const std::vector<std::uint8_t>& bytes) { Blob(std::span(bytes)); }
  void Int32(int value, int = 0, int = 0) { PutUint(out, static_cast<std::uint32_t>(value), 4); }
  void Uint16(std::uint16_t value) { PutUint(out, value, 2); }
  template <class T>
  void Uint64(T value) {
    PutUint(out, static_cast<std::uint64_t>(value), 8);
  }
  template <class T>
  void Int64(T value) {
    PutUint(out, static_cast<std::uint64_t>(value), 8);
  }
  void Colour(std::uint8_t colour) { out.push_back(colour); }
  void Bank(const SpriteBank& bank) {
    out.insert(out.end(), bank.Bytes().begin(), bank.Bytes().end());
  }
  template <class T, class F>
  void Optional(const std::optional<T>& value, F&& inner) {
    out.push_back(value ? 1 : 0);
    if (value) inner(*value);
  }
};

std::uint64_t GetUint(const std::uint8_t* at, int bytes) {
  std::uint64_t value = 0;
  for (int i = 0; i < bytes; ++i) value |= std::uint64_t{at[i]} << (8 * i);
  return value;
}

// Reads the fields until the first that does not add up, whose reason it keeps.
class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  const char* failure = nullptr;
  bool AtEnd() const { return at_ == bytes_.size(); }

  void Text(std::string& text) {
    std::vector<std::uint8_t> bytes;
    Blob(bytes, kMaxTextBytes);
    text.assign(bytes.begin(), bytes.end());
  }
  void Blob(std::vector<std::uint8_t>& bytes, std::size_t limit = kMaxRecoveryBytes) {
    const auto size = Take(4);
    if (!size) return;
    const std::uint64_t length = GetUint(size, 4);
    if (length > limit) return Fail("a field longer than it may be");
    const auto data = Take(static_cast<std::size_t>(length));
    if (data) bytes.assign(data, data + length);
  }
  void Int32(int& value, int least = std::numeric_limits<int>::min(),
             int most = std::numeric_limits<int>::max()) {
    const auto data = Take(4);
    if (!data) return;
    const auto read = static_cast<std::int32_t>(static_cast<std::uint32_t>(GetUint(data, 4)));
    if (read < least || read > most) return Fail("a number out of range");
    value = read;
  }
  void Uint16(std::uint16_t& value) {
    if (const auto data = Take(2)) value = static_cast<std::uint16_t>(GetUint(data, 2));
  }
  template <class T>
  void Uint64(T& value) {
    if (const auto data = Take(8)) value = static_cast<T>(GetUint(data, 8));
  }
  template <class T>
  void Int64(T& value) {
    if (const auto data = Take(8))
      value = static_cast<T>(static_cast<std::int64_t>(GetUint(data, 8)));
  }
  void Colour(std::uint8_t& colour) {
    const auto data = Take(1);
    if (!data) return;
    if (*data >= kColourCount) return Fail("a colour out of range");
    colour = *data;
  }
  void Bank(SpriteBank& bank) {
    if (const auto data = Take(kBankBytes)) std::copy_n(data, kBankBytes, bank.Bytes().begin());
  }
  template <class T, class F>
  void Optional(std::optional<T>& value, F&& inner) {
    const auto flag = Take(1);
    if (!flag) return;
    if (*flag > 1) return Fail("a field marked neither present nor absent");
    if (*flag == 0) return value.reset();
    value.emplace();
    inner(*value);
  }

 private:
  const std::uint8_t* Take(std::size_t count) {
    if (failure) return nullptr;
    if (count > bytes_.size() - at_) {
      Fail("a field runs past the end");
      return nullptr;
    }
    const std::uint8_t* data = bytes_.data() + at_;
    at_ += count;
    return data;
  }
  void Fail(const char* reason) {
    if (!failure) failure = reason;
  }

  std::span<const std::uint8_t> bytes_;
  std::size_t at_ = 0;
};

}  // namespace

std::vector<std::uint8_t> EncodeKeptDocument(const KeptDocument& document) {
  Writer fields;
  Fields(fields, document);
  std::vector<std::uint8_t> out(kMagic.begin(), kMagic.end());
  PutUint(out, kVersion, 4);
  PutUint(out, fields.out.size(), 4);
  out.insert(out.end(), fields.out.begin(), fields.out.end());
  PutUint(out, Crc32(out), 4);
  return out;
}

Result<KeptDocument> DecodeKeptDocument(std::span<const std::uint8_t> bytes,
                                        const std::string& path) {
  const auto refuse = [&](std::string reason) {
    return FileError{path, FileProblem::Format, "not a whole recovery file: " + reason};
  };
  if (bytes.size() < kHeaderBytes + kChecksumBytes) return refuse("too short");
  if (!std::equal(kMagic.begin(), kMagic.end(), bytes.begin())) return refuse("no recovery mark");
  if (GetUint(&bytes[kMagic.size()], 4) != kVersion) {
    return refuse("from another version of Kelvane");
  }
  const std::uint64_t payload = GetUint(&bytes[kMagic.size() + 4], 4);
  if (payload != bytes.size() - kHeaderBytes - kChecksumBytes) {
    return refuse("its length does not match its size");
  }
  const auto sealed = bytes.first(bytes.size() - kChecksumBytes);
  if (Crc32(sealed) != GetUint(&bytes[sealed.size()], 4)) return refuse("its checksum differs");
  KeptDocument document;
  Reader reader(sealed.subspan(kHeaderBytes));
  Fields(reader, document);
  if (reader.failure) return refuse(reader.failure);
  if (!reader.AtEnd()) return refuse("bytes after its last field");
  return document;
}

}  // namespace kelvane
