// ToLowerCase and ToFullWidth on any text, recomputed here byte by byte from
// the double-byte rule and the full-width table.
//
// Input: the text (zero bytes are dropped: a byte text holds none).
#include <cstdint>
#include <string>

#include "fuzz/fuzz_support.h"
#include "text/byte_text.h"

namespace {

using cdk::fuzz::Hex;

bool Leads(unsigned char byte) { return byte >= 0x80; }

// Only a stand-alone A..Z changes; a lead byte takes the next byte with it.
std::string ExpectedLowerCase(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (Leads(c) && i + 1 < text.size()) {
      out += text.substr(i, 2);
      ++i;
    } else {
      out += static_cast<char>(c >= 0x41 && c <= 0x5A ? c + 0x20 : c);
    }
  }
  return out;
}

// Space A1 A1, tilde A1 AB, 0x21..0x7D A3 (b + 0x80), controls and two-byte
// characters unchanged, a lone lead byte at the end dropped.
std::string ExpectedFullWidth(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char c = static_cast<unsigned char>(text[i]);
    if (Leads(c)) {
      if (i + 1 < text.size()) out += text.substr(i, 2);
      ++i;
    } else if (c == 0x20) {
      out += "\xA1\xA1";
    } else if (c == 0x7E) {
      out += "\xA1\xAB";
    } else if (c >= 0x21 && c <= 0x7D) {
      out += '\xA3';
      out += static_cast<char>(c + 0x80);
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

void Require(bool holds, const char* what, std::string_view text, std::string_view got,
             std::string_view want) {
  if (holds) return;
  cdk::fuzz::Fail(what, "text " + Hex(text) + "\ngot  " + Hex(got) + "\nwant " + Hex(want));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto parts = cdk::fuzz::SplitTexts(data, size, 1);
  const std::string_view text = parts[0].view();

  const std::string lower = cdk::ToLowerCase(text);
  const std::string want_lower = ExpectedLowerCase(text);
  Require(lower.size() == text.size(), "ToLowerCase keeps the length", text, lower, want_lower);
  Require(lower == want_lower, "ToLowerCase", text, lower, want_lower);

  const std::string wide = cdk::ToFullWidth(text);
  const std::string want_wide = ExpectedFullWidth(text);
  Require(wide == want_wide, "ToFullWidth", text, wide, want_wide);
  Require(wide.find('\0') == std::string::npos, "ToFullWidth makes no zero byte", text, wide,
          want_wide);
  return 0;
}
