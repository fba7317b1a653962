// Byte texts: the GBK (code page 936) strings that every part of the tool
// searches, cuts and joins.
//
// A byte text is a sequence of non-zero bytes. Lengths, positions and counts
// are signed 32-bit byte counts; positions are 1-based; "not found" is -1.
// The empty text and an absent text are the same value.
//
// Double-byte rule. Reading a text from a given byte onward, a byte below 0x80
// is a character by itself; a byte of 0x80 or above pairs with the byte after
// it, whatever that byte is, unless it is the last byte of the text, where it
// stands alone. The rule goes by byte value only: 0x80 and 0xFF lead too, and
// a second byte need not be a valid GBK trail byte. Only a stand-alone byte
// 0x41..0x5A is an upper-case letter; a second byte in that range is not.
//
// FindText, ToLowerCase and ToFullWidth walk by that rule; the other
// operations count plain bytes and may cut a double-byte character in half.
//
// Every operation that yields a text returns a new std::string owned by the
// caller; none keeps state or changes its arguments.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace cdk {

using Text = std::string;            // owned byte text, no zero byte inside
using TextView = std::string_view;   // borrowed byte text
using ByteBuffer = std::vector<char>;  // owned bytes, zero bytes allowed
using ByteView = std::span<const char>;

inline constexpr int32_t kNotFound = -1;

inline bool IsLeadByte(char byte) { return static_cast<unsigned char>(byte) >= 0x80; }

// Number of bytes; texts never exceed INT32_MAX bytes (the loader enforces it).
int32_t TextLength(TextView text);

// The first / last `count` bytes. Counts clip: zero or less gives the empty
// text, a count past the length gives the whole text.
Text TextLeft(TextView text, int32_t count);
Text TextRight(TextView text, int32_t count);

// 1-based position of the first match of `needle` that starts on a character
// boundary (counted from the scan's first byte), or -1. With ignore_case only
// A..Z fold onto a..z, on every compared byte including second bytes. An empty
// needle is found at 1 in any non-empty scan and nowhere in an empty one,
// also when the scan starts further on.
int32_t FindText(TextView text, TextView needle, bool ignore_case = true);
// Same, scanning from 1-based byte `start` (below 1 counts as 1); the double-
// byte rule restarts at that byte. The result still counts from the text's
// first byte.
int32_t FindText(TextView text, TextView needle, int32_t start, bool ignore_case);

// Stand-alone A..Z become a..z; same length as the input.
Text ToLowerCase(TextView text);

// Printable ASCII to its GBK full-width form by byte arithmetic: space to
// A1 A1, '~' to A1 AB, 0x21..0x7D to A3 (b + 0x80). Controls and double-byte
// characters are copied; a lone lead byte at the end is dropped.
Text ToFullWidth(TextView text);

// The bytes before the first zero byte (all of them when there is none).
Text BytesToText(ByteView bytes);

// The parts one after another, allocated once.
Text ConcatText(std::initializer_list<TextView> parts);

// -1, 0 or 1, comparing unsigned bytes; a proper prefix sorts first.
int32_t CompareText(TextView a, TextView b);

}  // namespace cdk
