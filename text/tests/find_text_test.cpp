// The fast search against the plain loop, on every path this CPU can run.
#include "text/find_text.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "text/tests/reference_find.h"

namespace cdk {
namespace {

std::vector<FindTextPath> AvailablePaths() {
  std::vector<FindTextPath> paths;
  for (FindTextPath path : {FindTextPath::kScalar, FindTextPath::kSse2, FindTextPath::kAvx2}) {
    if (FindTextPathAvailable(path)) paths.push_back(path);
  }
  return paths;
}

std::string Hex(TextView text) {
  std::string out;
  char buf[4];
  for (unsigned char c : text) {
    std::snprintf(buf, sizeof buf, "%02X ", c);
    out += buf;
  }
  return out;
}

struct Case {
  std::string text;
  std::string needle;
  size_t start;  // the scan covers text[start..]
  bool ignore_case;
};

std::ostream& operator<<(std::ostream& out, const Case& c) {
  return out << "\n  text (" << c.text.size() << " bytes): " << Hex(c.text)
             << "\n  needle (" << c.needle.size() << " bytes): " << Hex(c.needle)
             << "\n  scan from byte " << c.start << (c.ignore_case ? ", ignoring case" : ", exact case");
}

// Every path gives the plain loop's answer. The scanned bytes end where their
// heap block ends, so that a read past the end shows under ASan, and start at
// an address that varies from case to case, as the vector loops align to it.
::testing::AssertionResult AgreesWithReference(const Case& c, const std::vector<FindTextPath>& paths) {
  const size_t size = c.text.size() - c.start;
  const size_t shift = (c.text.size() * 7 + c.needle.size() + c.start) % 32;
  std::unique_ptr<char[]> block(new char[shift + size]);
  if (size > 0) std::memcpy(block.get() + shift, c.text.data() + c.start, size);
  const TextView scanned(block.get() + shift, size);
  const int32_t expected = testing::ReferenceFindText(scanned, c.needle, c.ignore_case);
  for (FindTextPath path : paths) {
    int32_t found = FindTextInPlace(scanned, c.needle, c.ignore_case, path);
    if (found != expected) {
      return ::testing::AssertionFailure() << "path " << FindTextPathName(path) << " gives " << found
                                           << ", the plain loop " << expected << c
                                           << "\n  scanned bytes start " << shift
                                           << " bytes into their heap block";
    }
  }
  return ::testing::AssertionSuccess();
}

TEST(FindTextPath, TakesTheWidestAvailablePath) {
  std::cout << "FindText path: " << FindTextPathName() << std::endl;
  ::testing::Test::RecordProperty("find_text_path", std::string(FindTextPathName()));
  EXPECT_TRUE(FindTextPathAvailable(ChosenFindTextPath()));
  EXPECT_EQ(ChosenFindTextPath(), AvailablePaths().back());
#if defined(__x86_64__) || defined(_M_X64)
  EXPECT_TRUE(FindTextPathAvailable(FindTextPath::kSse2));
#endif
}

// A run of high bytes of every length up to past two blocks, then the needle:
// the needle starts on a second byte exactly when the run is odd. Around it,
// the run start, the needle's place and the text's end cross the 16-, 32- and
// 64-byte block edges one by one.
TEST(FindText, RunsOfHighBytesAcrossBlockEdges) {
  const std::vector<FindTextPath> paths = AvailablePaths();
  const std::string needles[] = {"aB", "\xB0" "a", "a\xB0", "\xC1\xB0\xC1", "b", "\xB0",
                                 "ab\"b:{A\xB0\xC1z"};
  const std::string tails[] = {"", "\xB0", "x", "xxxxxxxxxxxxxxx", std::string(63, 'x') + "\xB0"};
  int cases = 0;
  for (size_t lead_in = 0; lead_in < 3; ++lead_in) {
    for (size_t run = 0; run <= 140; ++run) {
      for (const std::string& needle : needles) {
        for (const std::string& tail : tails) {
          std::string text = std::string(lead_in, 'x') + std::string(run, '\xC1') + needle + tail;
          for (size_t start : {size_t{0}, lead_in + 1}) {
            if (start > text.size()) continue;
            Case c{text, needle, start, true};
            ASSERT_TRUE(AgreesWithReference(c, paths));
            ++cases;
          }
        }
      }
    }
  }
  std::cout << "compared " << cases << " cases" << std::endl;
}

// Two candidates in one long run of high bytes, one or more blocks apart:
// the second one's character start is worked out from where the first block
// left off, whose last byte may lead into the next block.
TEST(FindText, CandidatesFarApartInOneRunOfHighBytes) {
  const std::vector<FindTextPath> paths = AvailablePaths();
  int cases = 0;
  for (const std::string needle : {"\xB0\xB1", "\xB0" "b"}) {
    for (size_t lead_in = 0; lead_in < 2; ++lead_in) {
      for (size_t first = 0; first < 68; ++first) {
        for (size_t second : {130, 131, 191, 192, 193, 255, 256, 257, 320, 321}) {
          std::string text = std::string(lead_in, 'x') + std::string(400, '\xC1');
          text.replace(lead_in + first, needle.size(), needle);
          text.replace(lead_in + second, needle.size(), needle);
          ASSERT_TRUE(AgreesWithReference(Case{text, needle, 0, true}, paths));
          ++cases;
        }
      }
    }
  }
  std::cout << "compared " << cases << " cases" << std::endl;
}

// Random texts and needles, from a fixed seed, built to hit what a vector
// search gets wrong: second bytes that equal the needle's bytes or look like
// ASCII letters, long runs of high bytes, lone lead bytes at the end, needles
// with both cases and high bytes, scans that start inside a run, and matches
// planted at block edges and at the end of the text.
class RandomCases {
 public:
  explicit RandomCases(uint64_t seed) : rng_(seed) {}

  Case Next() {
    Case c;
    c.text = Text(TextSize());
    if (Below(5) == 0 && !c.text.empty()) c.text.back() = static_cast<char>(HighByte());
    c.ignore_case = Below(4) != 0;
    c.needle = Needle(c.text);
    c.start = Below(3) == 0 ? Below(c.text.size() + 1) : 0;
    if (!c.needle.empty() && Below(3) == 0) Plant(c);
    return c;
  }

 private:
  size_t Below(size_t n) { return static_cast<size_t>(rng_() % n); }
  unsigned char HighByte() {
    static constexpr unsigned char kHigh[] = {0x80, 0xB0, 0xC1, 0xD6, 0xFF};
    return Below(3) == 0 ? static_cast<unsigned char>(0x80 + Below(128)) : kHigh[Below(5)];
  }
  // Letters of both cases and the table's punctuation.
  unsigned char AsciiByte() {
    static constexpr char kAscii[] = "aAbBzZ0\":{,";
    return static_cast<unsigned char>(kAscii[Below(sizeof kAscii - 1)]);
  }
  unsigned char AnyByte() { return Below(3) == 0 ? HighByte() : AsciiByte(); }

  size_t TextSize() {
    switch (Below(10)) {
      case 0: return 300 + Below(2700);
      case 1: case 2: case 3: return 60 + Below(240);
      default: return Below(90);
    }
  }

  std::string Text(size_t size) {
    std::string text;
    const size_t style = Below(4);
    while (text.size() < size) {
      switch (style) {
        case 0:  // a few bytes, dense matches everywhere
          text += static_cast<char>(AnyByte());
          break;
        case 1:  // mostly high: long runs of either parity
          text += static_cast<char>(Below(6) == 0 ? AnyByte() : HighByte());
          break;
        case 2:  // GBK-like: ASCII with double-byte characters whose second byte may be a letter
          if (Below(4) == 0) {
            text += static_cast<char>(HighByte());
            text += static_cast<char>(Below(2) == 0 ? AnyByte() : 0x40 + Below(0x3F));
          } else {
            text += static_cast<char>(AsciiByte());
          }
          break;
        default:  // high bytes only
          text += static_cast<char>(HighByte());
          break;
      }
    }
    text.resize(size);
    for (char& byte : text) {
      if (byte == '\0') byte = 'a';  // byte texts hold no zero byte
    }
    return text;
  }

  std::string Needle(const std::string& text) {
    const size_t size = Below(2) == 0 ? 1 + Below(4) : 1 + Below(40);
    std::string needle;
    if (Below(2) == 0 && text.size() >= size) {
      needle = text.substr(Below(text.size() - size + 1), size);  // may start on a second byte
    } else {
      for (size_t k = 0; k < size; ++k) needle += static_cast<char>(AnyByte());
    }
    for (char& byte : needle) {
      if (Below(3) == 0 && ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z'))) byte ^= 0x20;
    }
    return needle;
  }

  // Copies the needle over the text where it ends at a 16/32/64-byte block
  // edge of the scan, or at the text's end.
  void Plant(Case& c) {
    const size_t n = c.needle.size();
    if (c.text.size() < c.start + n) return;
    const size_t span = c.text.size() - c.start - n;  // last start, counted from the scan's start
    size_t at;
    if (Below(3) == 0) {
      at = span - std::min(span, Below(3));
    } else {
      const size_t block = size_t{16} << Below(3);
      size_t edge = (Below(span / block + 1)) * block;
      size_t offset = edge + Below(5);
      at = offset >= 2 ? offset - 2 : 0;
      if (at > span) at = span;
    }
    c.text.replace(c.start + at, n, c.needle);
  }

  std::mt19937_64 rng_;
};

TEST(FindText, AgreesWithThePlainLoopOnRandomTexts) {
  const std::vector<FindTextPath> paths = AvailablePaths();
  constexpr int kCases = 300000;
  RandomCases cases(20240611);
  int found = 0;
  for (int i = 0; i < kCases; ++i) {
    const Case c = cases.Next();
    ASSERT_TRUE(AgreesWithReference(c, paths)) << "case " << i;
    if (testing::ReferenceFindText(TextView(c.text).substr(c.start), c.needle, c.ignore_case) > 0) ++found;
  }
  std::cout << "compared " << kCases << " cases on " << paths.size() << " paths, " << found
            << " of them found" << std::endl;
}

}  // namespace
}  // namespace cdk
