// make_standin <out-file>
//   writes the full-size stand-in of the operator's gift-code data file;
// make_standin --known-rows <out-file>
//   writes the rows we know alone: the product's data/gift_codes.js.
// The bytes are the same on every run and machine.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>

#include "tools/standin/known_rows.h"
#include "tools/standin/standin.h"

namespace {

bool WriteWhole(const std::string& path, const std::string& bytes) {
  // Write beside the target and rename, so a failed run leaves no half file.
  const std::string temp = path + ".part";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) return false;
  }
  std::error_code error;
  std::filesystem::rename(temp, path, error);
  return !error;
}

}  // namespace

int main(int argc, char** argv) {
  const bool known_only = argc == 3 && std::string(argv[1]) == "--known-rows";
  if (argc != 2 && !known_only) {
    std::fprintf(stderr, "usage: make_standin [--known-rows] <out-file>\n");
    return 2;
  }
  const std::string path = argv[argc - 1];
  std::string bytes;
  try {
    bytes = cdk::standin::WriteDataFile(known_only ? cdk::standin::KnownRows() : cdk::standin::FullSizeStandIn());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make_standin: %s\n", e.what());
    return 1;
  }
  if (!WriteWhole(path, bytes)) {
    std::fprintf(stderr, "make_standin: cannot write file '%s'\n", path.c_str());
    return 1;
  }
  return 0;
}
