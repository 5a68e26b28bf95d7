// Runs a fuzz target without libFuzzer, for compilers that lack it: every input named on the
// command line (a file, a folder of files, or @LIST with comma-separated paths), and for each a
// fixed set of damaged copies near its ends, where headers, counts and trailers are.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kHeadBytes = 32;  // the largest header and then some
constexpr std::size_t kTailBytes = 64;  // a record's worth of trailer
constexpr std::uint8_t kProbeValues[] = {0x00, 0x01, 0x7F, 0x80, 0xFF};

long long runs = 0;

void Run(const Bytes& bytes) {
  LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
  ++runs;
}

bool NearAnEnd(std::size_t i, std::size_t size) {
  return i < kHeadBytes || i + kTailBytes >= size;
}

void RunWithDamage(const Bytes& seed) {
  Run(seed);
  for (std::size_t length = 0; length < seed.size(); ++length) {
    if (NearAnEnd(length, seed.size())) Run(Bytes(seed.begin(), seed.begin() + length));
  }
  for (std::size_t extra = 1; extra <= kTailBytes; ++extra) {
    Bytes longer = seed;
    longer.resize(seed.size() + extra, 0);
    Run(longer);
  }
  for (std::size_t i = 0; i < seed.size(); ++i) {
    if (!NearAnEnd(i, seed.size())) continue;
    for (const std::uint8_t value : kProbeValues) {
      Bytes changed = seed;
      changed[i] = value;
      Run(changed);
    }
  }
}

Bytes ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Collect(const std::string& argument, std::vector<std::string>& paths) {
  if (argument.starts_with("@")) {
    const Bytes list = ReadFile(argument.substr(1));
    std::istringstream in(std::string(list.begin(), list.end()));
    for (std::string path; std::getline(in, path, ',');) {
      if (!path.empty() && path.back() == '\n') path.pop_back();
      if (!path.empty()) paths.push_back(path);
    }
  } else if (std::filesystem::is_directory(argument)) {
    for (const auto& entry : std::filesystem::directory_iterator(argument)) {
      paths.push_back(entry.path().string());
    }
  } else {
    paths.push_back(argument);
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> paths;
  for (int i = 1; i < argc; ++i) Collect(argv[i], paths);
  if (paths.empty()) {
    std::fprintf(stderr, "usage: %s FILE|FOLDER|@LIST...\n", argv[0]);
    return 2;
  }
  for (const auto& path : paths) RunWithDamage(ReadFile(path));
  std::printf("%zu inputs, %lld runs\n", paths.size(), runs);
  return 0;
}
