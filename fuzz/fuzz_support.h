// What every fuzz target shares: cutting one input into byte texts, and a
// check that stops the run on the first difference with the bytes shown.
//
// A byte text never holds a zero byte, so a fuzz input is cut into texts at
// its zero bytes: "idABCend\0ID\0END" is the three texts of one call. Each
// text is copied into a heap block of exactly its size, so that a read past
// its end lands in the sanitizer's red zone instead of spare string capacity.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace cdk::fuzz {

// One text in a block of its own size (no terminator, no spare capacity).
class ExactText {
 public:
  explicit ExactText(std::string_view bytes) : bytes_(bytes.begin(), bytes.end()) {}
  std::string_view view() const { return {bytes_.data(), bytes_.size()}; }

 private:
  std::vector<char> bytes_;
};

// The input cut at zero bytes into exactly `count` texts; missing ones are
// empty and the last takes everything that is left, zero bytes removed.
inline std::vector<ExactText> SplitTexts(const uint8_t* data, size_t size, size_t count) {
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  std::vector<ExactText> texts;
  for (size_t i = 0; i + 1 < count; ++i) {
    size_t zero = rest.find('\0');
    texts.emplace_back(rest.substr(0, zero));
    rest = zero == std::string_view::npos ? std::string_view() : rest.substr(zero + 1);
  }
  std::string last;
  for (char c : rest) {
    if (c != '\0') last += c;
  }
  texts.emplace_back(last);
  return texts;
}

// Whether `byte` (below 0x80) stands as a character of its own in `text`,
// walked by the double-byte rule: a lead byte takes the next byte with it, so
// a quote that follows a lead byte is no quote.
inline bool HoldsCharacter(std::string_view text, char byte) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (static_cast<unsigned char>(text[i]) >= 0x80) ++i;
    else if (text[i] == byte) return true;
  }
  return false;
}

// The bytes in hex, short enough to read in a log.
inline std::string Hex(std::string_view bytes) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string out;
  size_t shown = bytes.size() < 64 ? bytes.size() : 64;
  for (size_t i = 0; i < shown; ++i) {
    unsigned char c = static_cast<unsigned char>(bytes[i]);
    out += kDigits[c >> 4];
    out += kDigits[c & 15];
    out += ' ';
  }
  if (shown < bytes.size()) out += "... (" + std::to_string(bytes.size()) + " bytes)";
  return out;
}

// Ends the run: libFuzzer saves the input as a crash, a replay run fails.
[[noreturn]] inline void Fail(const char* what, const std::string& detail) {
  std::fprintf(stderr, "\nDIFFERENCE: %s\n%s\n", what, detail.c_str());
  std::abort();
}

}  // namespace cdk::fuzz

// Each target defines this; libFuzzer or replay_main.cpp calls it.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
