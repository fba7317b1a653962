// LookupItemName over any database text and any typed code. The results are
// the file's own bytes, so they are checked by what must hold of them, and
// against the two extractions redone with the plain search loop.
//
// Input: database text \0 typed code.
#include <cstdint>
#include <string>

#include "fuzz/fuzz_support.h"
#include "lookup/lookup.h"
#include "text/tests/reference_find.h"

namespace {

using cdk::fuzz::Hex;
using cdk::testing::ReferenceFindText;

// The bytes between the first left marker (ignoring case) and the first right
// marker after it, searched as a text of its own.
std::string PlainExtract(std::string_view text, std::string_view left, std::string_view right) {
  int32_t p = ReferenceFindText(text, left, true);
  if (left.empty() || right.empty() || p == -1) return {};
  std::string_view remainder = text.substr(static_cast<size_t>(p - 1) + left.size());
  int32_t q = ReferenceFindText(remainder, right, true);
  return q == -1 ? std::string() : std::string(remainder.substr(0, static_cast<size_t>(q - 1)));
}

struct Context {
  std::string_view database;
  std::string_view code;
  const cdk::LookupResult& got;
};

void Require(bool holds, const char* what, const Context& c) {
  if (holds) return;
  cdk::fuzz::Fail(what, "database   " + Hex(c.database) + "\ncode       " + Hex(c.code) +
                            "\nfirst key  " + Hex(c.got.first_key) + "\npackage id " +
                            Hex(c.got.package_id) + "\nitem name  " + Hex(c.got.item_name));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto parts = cdk::fuzz::SplitTexts(data, size, 2);
  const std::string_view database = parts[0].view();
  const std::string_view code = parts[1].view();
  const cdk::LookupResult got = cdk::LookupItemName(database, code);
  const Context c{database, code, got};

  const std::string first_key = std::string(code.substr(0, 5)) + "0\":{mpid:\"";
  Require(got.first_key == first_key, "the first key is the code's first five bytes and the tail",
          c);
  Require(!cdk::fuzz::HoldsCharacter(got.package_id, '"'),
          "a package id holds no quotation mark (a lead byte may pair with one)", c);
  Require(!got.package_id.empty() || got.item_name.empty(),
          "an empty package id gives an empty item name", c);
  Require(got.package_id.empty() || database.find(got.package_id) != std::string_view::npos,
          "the package id is bytes of the database", c);
  Require(got.item_name.empty() || database.find(got.item_name) != std::string_view::npos,
          "the item name is bytes of the database", c);
  Require(got.package_id.size() + got.item_name.size() <= database.size(),
          "the results are no longer than the database", c);

  const std::string package_id = PlainExtract(database, first_key, "\"");
  Require(got.package_id == package_id, "the package id follows the first key", c);
  const std::string item_name =
      package_id.empty() ? std::string()
                         : PlainExtract(database, package_id + "\":{desc:\"", "\",");
  Require(got.item_name == item_name, "the item name follows the package's desc marker", c);
  return 0;
}
