// Runs a fuzz target over the files of its corpus folders, as an ordinary
// test: each file is one input to LLVMFuzzerTestOneInput, in name order. A
// failed check aborts the program; a folder without inputs fails too.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s CORPUS-FOLDER...\n", argv[0]);
    return 2;
  }
  for (int a = 1; a < argc; ++a) {
    std::vector<std::filesystem::path> files;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(argv[a], ec))
      if (entry.is_regular_file()) files.push_back(entry.path());
    if (ec || files.empty()) {
      std::fprintf(stderr, "%s: no inputs (%s)\n", argv[a], ec ? ec.message().c_str() : "empty folder");
      return 1;
    }
    std::sort(files.begin(), files.end());
    for (const auto& file : files) {
      std::ifstream in(file, std::ios::binary);
      std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      if (!in.good() && !in.eof()) {
        std::fprintf(stderr, "%s: cannot be read\n", file.c_str());
        return 1;
      }
      std::fprintf(stderr, "input %s (%zu bytes)\n", file.c_str(), bytes.size());
      // An exact-size copy, so that a read past the input is caught.
      std::vector<std::uint8_t> exact(bytes);
      LLVMFuzzerTestOneInput(exact.data(), exact.size());
    }
    std::printf("%s: %zu inputs replayed\n", argv[a], files.size());
  }
  return 0;
}
