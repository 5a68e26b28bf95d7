// A fresh folder per test, removed with everything in it afterwards.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>
#include <string>
#include <vector>

namespace kelvane {

class TempFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/kelvane-files-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    folder_ = pattern;
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

  std::string PathOf(const std::string& name) const { return folder_ + "/" + name; }

 public:
  static void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    ASSERT_TRUE(out.good()) << path;
  }

  static std::vector<std::uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

 protected:
  static mode_t PermissionsOf(const std::string& path) {
    struct stat info {};
    EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
  }

  // Every name in the folder, to catch temporary files left behind.
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_)) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  std::string folder_;
};

// Runs work, which reads (workReads) or writes the FIFO at fifoPath and must not wait for the
// other end. If it is still running after a few seconds the other end is opened to release it,
// so a regression fails the test instead of hanging it.
template <class Work>
auto WithoutWaitingOnFifo(const std::string& fifoPath, bool workReads, Work work) {
  auto result = std::async(std::launch::async, work);
  if (result.wait_for(std::chrono::seconds(5)) == std::future_status::timeout) {
    ADD_FAILURE() << "blocked on the FIFO " << fifoPath;
    // A blocked reader is freed by a writer that comes and goes; a blocked writer needs its
    // reader to stay until it has written, or it would die of SIGPIPE.
    const int otherEnd = ::open(fifoPath.c_str(), (workReads ? O_WRONLY : O_RDONLY) | O_NONBLOCK);
    if (workReads && otherEnd >= 0) ::close(otherEnd);
    result.wait();
    if (!workReads && otherEnd >= 0) ::close(otherEnd);
  }
  return result.get();
}

}  // namespace kelvane
