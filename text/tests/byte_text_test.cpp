#include "text/byte_text.h"

#include <gtest/gtest.h>

#include <string>

#include "text/tests/reference_find.h"

namespace cdk {
namespace {

using namespace std::string_literals;

std::string Hex(TextView text) {
  std::string out;
  char buf[4];
  for (unsigned char c : text) {
    snprintf(buf, sizeof buf, "%02X ", c);
    out += buf;
  }
  return out;
}

TEST(TextLength, CountsBytes) {
  EXPECT_EQ(TextLength(""), 0);
  EXPECT_EQ(TextLength(TextView{}), 0);
  EXPECT_EQ(TextLength("\xB0\xA1"), 2);
  EXPECT_EQ(TextLength("abc"), 3);
}

TEST(TextLeftRight, CountsClipAndCutBytes) {
  struct Row {
    TextView text;
    int32_t count;
    TextView left, right;
  } rows[] = {
      {"abcde", 0, "", ""},
      {"abcde", -3, "", ""},
      {"abcde", 2, "ab", "de"},
      {"abcde", 5, "abcde", "abcde"},
      {"abc", 5, "abc", "abc"},
      {"abc", INT32_MAX, "abc", "abc"},
      {"\xB0\xA1", 1, "\xB0", "\xA1"},  // a double-byte character cut in half
      {"", 3, "", ""},
      {TextView{}, 3, "", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Hex(row.text) + " count " + std::to_string(row.count));
    EXPECT_EQ(TextLeft(row.text, row.count), row.left);
    EXPECT_EQ(TextRight(row.text, row.count), row.right);
  }
}

struct FindRow {
  TextView text, needle;
  bool ignore_case;
  int32_t expected;
};

// Rows that a byte-by-byte or a tolower()-based search gets wrong.
const FindRow kFindRows[] = {
    {"abc", "", true, 1},  // empty needle: found at 1 on a non-empty text
    {"", "", true, -1},
    {TextView{}, "", true, -1},
    {"", "a", true, -1},
    {"ab", "abc", true, -1},  // needle longer than the text
    {"abc", "abc", true, 1},
    {"xABC", "abc", true, 2},
    {"xABC", "abc", false, -1},
    {"abab", "ab", true, 1},                       // the first match wins
    {"\xB0\x41", "\x41", true, -1},                // never on a second byte
    {"\xB0\x41\x41", "\x41", true, 3},
    {"\x80\x41\x41", "\x41", true, 3},             // 0x80 leads too
    {"\xFF\x41\x41", "\x41", true, 3},             // and 0xFF
    {"\x41\xB0", "\xB0", true, 2},                 // a lone lead byte at the end is a position
    {"\x41\xB0\xA1", "\x41\xB0", true, 1},         // a match may end inside a character
    {"\xB0\x61", "\xB0\x41", true, 1},             // folding reaches second bytes
    {"\xB0\x61", "\xB0\x41", false, -1},
    {"\xB0\xB0\x41", "\xB0\x41", true, -1},        // the pair starts on a second byte
    {"\xB0\xB0\xB0\x41", "\xB0\x41", true, 3},
    {"\xB0\xB0\x41", "\x41", true, 3},             // even run: 0x41 starts a character
    {"\xB0\xB0\xB0\x41", "\x41", true, -1},        // odd run: 0x41 is a second byte
    {"\xB0\x41\xB0", "\x42", true, -1},            // lone lead byte ends the scan
    {"\xC0\xDA", "\xE0\xFA", true, -1},            // only A..Z fold, not Latin-1
    {"[", "{", true, -1},                          // 0x5B is not a letter
    {"@", "`", true, -1},
};

TEST(FindText, EdgeCases) {
  for (const FindRow& row : kFindRows) {
    SCOPED_TRACE("text " + Hex(row.text) + "needle " + Hex(row.needle) +
                 (row.ignore_case ? "ignoring case" : "exact"));
    EXPECT_EQ(FindText(row.text, row.needle, row.ignore_case), row.expected);
    EXPECT_EQ(testing::ReferenceFindText(row.text, row.needle, row.ignore_case), row.expected)
        << "the oracle disagrees with the row";
  }
}

TEST(FindText, StartPositionRestartsCharacterStepping) {
  // From byte 2 the 0x41 at byte 2 is a character of its own.
  EXPECT_EQ(FindText("\xB0\x41", "\x41", 2, true), 2);
  EXPECT_EQ(FindText("abcabc", "abc", 2, true), 4);
  EXPECT_EQ(FindText("abc", "a", -5, true), 1);   // below 1 counts as 1
  EXPECT_EQ(FindText("abc", "", 4, true), -1);    // nothing left to scan
  EXPECT_EQ(FindText("abc", "", 3, true), 1);    // an empty needle is always at 1
}

TEST(ToLowerCase, FoldsOnlyStandAloneLetters) {
  struct Row {
    TextView in, out;
  } rows[] = {
      {"ABC", "abc"},
      {"\xB0\x41\x41", "\xB0\x41\x61"},
      {"\x41\xB0", "\x61\xB0"},  // a lone lead byte stays
      {"", ""},
      {"Az[@`{\xC0", "az[@`{\xC0"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Hex(row.in));
    EXPECT_EQ(ToLowerCase(row.in), row.out);
  }
}

TEST(ToFullWidth, ConvertsByByteValue) {
  struct Row {
    TextView in, out;
  } rows[] = {
      {" ", "\xA1\xA1"},
      {"~", "\xA1\xAB"},
      {"$", "\xA3\xA4"},
      {"!", "\xA3\xA1"},
      {"}", "\xA3\xFD"},
      {"A", "\xA3\xC1"},
      {"\t\x7F", "\t\x7F"},
      {"\xB0\xA1", "\xB0\xA1"},
      {"\x41\xB0", "\xA3\xC1"},  // the lone lead byte is dropped
      {"", ""},
      {"Super-EC", "\xA3\xD3\xA3\xF5\xA3\xF0\xA3\xE5\xA3\xF2\xA3\xAD\xA3\xC5\xA3\xC3"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Hex(row.in));
    EXPECT_EQ(ToFullWidth(row.in), row.out);
  }
}

TEST(ToFullWidth, PrintableAsciiDoublesInLength) {
  std::string printable;
  for (int c = 0x20; c <= 0x7E; ++c) printable += static_cast<char>(c);
  Text wide = ToFullWidth(printable);
  ASSERT_EQ(wide.size(), printable.size() * 2);
  for (size_t i = 0; i < printable.size(); ++i) {
    EXPECT_TRUE(IsLeadByte(wide[2 * i])) << "at " << printable[i];
  }
}

TEST(BytesToText, StopsAtTheFirstZeroByte) {
  const char with_zero[] = {'A', '\0', 'B'};
  const char starts_with_zero[] = {'\0', 'A'};
  EXPECT_EQ(BytesToText(ByteView(with_zero, 3)), "A");
  EXPECT_EQ(BytesToText(ByteView(starts_with_zero, 2)), "");
  EXPECT_EQ(BytesToText(ByteView()), "");
  EXPECT_EQ(BytesToText(ByteView("\xB0\xA1xy", 4)), "\xB0\xA1xy");
}

TEST(ConcatText, JoinsInOrder) {
  EXPECT_EQ(ConcatText({TextView{}, "x"}), "x");
  EXPECT_EQ(ConcatText({"", ""}), "");
  EXPECT_EQ(ConcatText({"ab", "\xB0", "\xA1"}), "ab\xB0\xA1");
}

TEST(CompareText, ComparesUnsignedBytes) {
  struct Row {
    TextView a, b;
    int32_t expected;
  } rows[] = {
      {TextView{}, "", 0}, {"a", "A", 1},  {"ab", "abc", -1},
      {"\xB0", "\x41", 1}, {"abc", "abc", 0}, {".tmp", ".TMP", 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(Hex(row.a) + "vs " + Hex(row.b));
    EXPECT_EQ(CompareText(row.a, row.b), row.expected);
  }
}

}  // namespace
}  // namespace cdk
