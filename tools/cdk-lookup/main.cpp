// cdk-lookup: the tool's lookup from a terminal, for checking many codes at
// once. Codes come as arguments, or one per line on standard input when there
// are none; each gets one line "code<TAB>package id<TAB>item name" in UTF-8.
// The item name is the last field and may itself hold TABs, so split at the
// first two. It searches the carried tables in memory and writes no file.
//
// Exit status: 0 when every code found a name, 1 when some did not, 2 for a
// usage error.
#include <errno.h>
#include <iconv.h>

#include <cstdio>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/carried_copy.h"
#include "lookup/lookup.h"

namespace {

constexpr std::string_view kUsage =
    "usage: cdk-lookup [--] [CODE...]\n"
    "Prints \"code<TAB>package id<TAB>item name\" for each code; reads one code per\n"
    "line from standard input when no code is given (blank lines are skipped).\n";

// Converts between the terminal's UTF-8 and GBK. nullopt when `in` holds bytes
// that are not valid in `from` or have no form in `to`.
std::optional<std::string> Convert(const char* to, const char* from, std::string_view in) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out(in.size() * 2 + 4, '\0');
  char* src = const_cast<char*>(in.data());
  size_t src_left = in.size();
  char* dst = out.data();
  size_t dst_left = out.size();
  size_t rc = iconv(cd, &src, &src_left, &dst, &dst_left);
  iconv_close(cd);
  if (rc == static_cast<size_t>(-1)) return std::nullopt;  // E2BIG cannot happen: 2x room
  out.resize(out.size() - dst_left);
  return out;
}

// Writes one result line; true when the code found a name.
bool LookUp(cdk::TextView database, const std::string& code) {
  std::optional<std::string> gbk = Convert("GBK", "UTF-8", code);
  cdk::LookupResult r;
  if (gbk) {
    r = cdk::LookupItemName(database, *gbk);
  } else {
    std::cerr << "cdk-lookup: '" << code << "' cannot be written in GBK\n";
  }
  // The tables are GBK; should a file hold a stray byte, show the field empty
  // rather than pass broken text to the terminal.
  std::string package_id = Convert("UTF-8", "GBK", r.package_id).value_or("");
  std::string item_name = Convert("UTF-8", "GBK", r.item_name).value_or("");
  std::cout << code << '\t' << package_id << '\t' << item_name << '\n';
  return !r.item_name.empty();
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> codes;
  bool options_done = false;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    if (!options_done && arg == "--") {
      options_done = true;
    } else if (!options_done && (arg == "-h" || arg == "--help")) {
      std::cout << kUsage;
      return 0;
    } else if (!options_done && arg.size() > 1 && arg[0] == '-') {
      std::cerr << "cdk-lookup: unknown option '" << arg << "' (use -- before a code that starts with -)\n";
      return 2;
    } else {
      codes.emplace_back(arg);
    }
  }

  cdk::ByteView carried = cdk::CarriedCopy();
  const cdk::Text database = cdk::BytesToText(carried);
  bool all_found = true;
  if (!codes.empty()) {
    for (const std::string& code : codes) all_found &= LookUp(database, code);
  } else {
    std::string line;
    while (std::getline(std::cin, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.empty()) continue;
      all_found &= LookUp(database, line);
    }
  }
  std::cout.flush();
  if (!std::cout) {
    std::cerr << "cdk-lookup: cannot write the results\n";
    return 2;
  }
  return all_found ? 0 : 1;
}
