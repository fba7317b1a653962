// What the program should show, worked out from the data file it carries.
#pragma once

#include <string>

namespace cdk::driver {

struct Lookup {
  std::wstring first_key;
  std::wstring package_id;
  std::wstring item_name;
};

// The lookup of `code` over the carried data file of the program under test,
// as the window shows it.
Lookup ExpectedLookup(const std::wstring& code);

// A code whose batch row stands near the middle of the carried batch table
// and has an item name: with the full-size tables, an answer from deep
// inside the file.
std::wstring CodeFromTheMiddleOfTheTables();

// The carried data file's bytes (read once).
const std::string& CarriedBytes();

// Wide text to GBK bytes and back, and to UTF-8 for test messages.
std::string ToGbk(const std::wstring& text);
std::wstring FromGbk(const std::string& bytes);
std::string Narrow(const std::wstring& text);

}  // namespace cdk::driver
