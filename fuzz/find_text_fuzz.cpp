// FindText against the plain reference loop, on any bytes: the fast search,
// on each of its paths, must give the same position (or -1) for every text,
// needle, start position and case mode.
//
// Input: one options byte, then text \0 needle.
//   bit 0     ignore case
//   bit 1     the needle is cut out of the text (offset and length from the
//             needle's first two bytes), so that long and late matches occur
//   bit 2     with bit 1: swap the case of the needle's ASCII letters
//   bits 4-7  start position: 0 none, 1..12 give -2..9, 13 INT32_MIN,
//             14 INT32_MAX, 15 the text's last byte
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "fuzz/fuzz_support.h"
#include "text/byte_text.h"
#include "text/find_text.h"
#include "text/tests/reference_find.h"

namespace {

using cdk::fuzz::ExactText;
using cdk::fuzz::Hex;

std::string SwapAsciiCase(std::string_view bytes) {
  std::string out(bytes);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 0x20);
    else if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 0x20);
  }
  return out;
}

std::string CutFromText(std::string_view text, std::string_view needle_bytes, bool swap_case) {
  if (text.empty() || needle_bytes.size() < 2) return std::string(needle_bytes);
  size_t offset = static_cast<unsigned char>(needle_bytes[0]) % text.size();
  size_t length = static_cast<unsigned char>(needle_bytes[1]) % (text.size() - offset + 1);
  std::string_view cut = text.substr(offset, length);
  return swap_case ? SwapAsciiCase(cut) : std::string(cut);
}

std::optional<int32_t> StartFrom(uint8_t options, size_t text_size) {
  int selector = options >> 4;
  if (selector == 0) return std::nullopt;
  if (selector <= 12) return selector - 3;
  if (selector == 13) return std::numeric_limits<int32_t>::min();
  if (selector == 14) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(text_size);
}

// The start-position form, step for step: a start below 1 counts as 1; at or
// past the end nothing remains to scan; an empty needle is found at 1 when
// something remains; otherwise the plain loop from the start byte, its result
// counted from the text's first byte.
int32_t ReferenceFindFrom(std::string_view text, std::string_view needle, int32_t start,
                          bool ignore_case) {
  int64_t s = start < 1 ? 1 : start;
  int64_t length = static_cast<int64_t>(text.size());
  if (s - 1 >= length) return -1;
  if (needle.empty()) return 1;
  int32_t found = cdk::testing::ReferenceFindText(text.substr(static_cast<size_t>(s - 1)), needle,
                                                  ignore_case);
  return found == -1 ? -1 : static_cast<int32_t>(found + s - 1);
}

void Expect(int32_t got, int32_t want, const char* what, std::string_view text,
            std::string_view needle, bool ignore_case, std::optional<int32_t> start) {
  if (got == want) return;
  cdk::fuzz::Fail(what, "text   " + Hex(text) + "\nneedle " + Hex(needle) +
                            "\nignore_case " + std::to_string(ignore_case) + " start " +
                            (start ? std::to_string(*start) : std::string("none")) + "\ngot " +
                            std::to_string(got) + " want " + std::to_string(want));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t options = data[0];
  const bool ignore_case = options & 1;
  auto parts = cdk::fuzz::SplitTexts(data + 1, size - 1, 2);
  const std::string_view text = parts[0].view();
  const ExactText needle_block((options & 2) ? CutFromText(text, parts[1].view(), options & 4)
                                             : std::string(parts[1].view()));
  const std::string_view needle = needle_block.view();
  const std::optional<int32_t> start = StartFrom(options, text.size());

  const int32_t want = cdk::testing::ReferenceFindText(text, needle, ignore_case);
  Expect(cdk::FindTextInPlace(text, needle, ignore_case), want, "FindTextInPlace", text, needle,
         ignore_case, std::nullopt);
  Expect(cdk::FindText(text, needle, ignore_case), want, "FindText", text, needle, ignore_case,
         std::nullopt);
  // Every vector path this CPU can run, not only the widest one.
  for (cdk::FindTextPath path :
       {cdk::FindTextPath::kScalar, cdk::FindTextPath::kSse2, cdk::FindTextPath::kAvx2}) {
    Expect(cdk::FindTextInPlace(text, needle, ignore_case, path), want,
           cdk::FindTextPathName(path).data(), text, needle, ignore_case, std::nullopt);
  }
  if (start) {
    Expect(cdk::FindText(text, needle, *start, ignore_case),
           ReferenceFindFrom(text, needle, *start, ignore_case), "FindText from a start position",
           text, needle, ignore_case, start);
  }
  return 0;
}
