// Runs a fuzz target over files and folders of inputs without libFuzzer, so
// that the checked-in corpus (regression cases included) replays under any
// compiler as an ordinary test. Exits non-zero when no input was found; a
// difference aborts from inside the target.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

namespace fs = std::filesystem;

void Replay(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
  std::fprintf(stderr, "replaying %s (%zu bytes)\n", file.string().c_str(), bytes.size());
  LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

}  // namespace

int main(int argc, char** argv) {
  int replayed = 0;
  for (int i = 1; i < argc; ++i) {
    fs::path arg = argv[i];
    std::vector<fs::path> files;
    if (fs::is_directory(arg)) {
      for (const auto& entry : fs::directory_iterator(arg)) {
        if (entry.is_regular_file()) files.push_back(entry.path());
      }
    } else {
      files.push_back(arg);
    }
    std::sort(files.begin(), files.end());
    for (const auto& file : files) {
      Replay(file);
      ++replayed;
    }
  }
  std::fprintf(stderr, "%d inputs replayed, no difference\n", replayed);
  return replayed > 0 ? 0 : 1;
}
