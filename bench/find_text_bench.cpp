// FindText against glibc's memmem and memchr and against the plain loop, on a
// full-size gift-code text. Prints absolute times (Google Benchmark), then the
// ratios of contenders timed in alternation, as the last lines.
//
// Each ratio comes from rounds that time both contenders one after the other
// (in alternating order), so that drifts in clock speed and cache state hit
// both alike; the median of the per-round ratios is reported. Rounds count
// the thread's CPU time. Every call takes
// the next of several needles of the same shape, so that the branch predictor
// cannot learn one search by heart.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <time.h>
#include <vector>

#include "bench/synthetic_text.h"
#include "lookup/lookup.h"
#include "text/find_text.h"
#include "text/tests/reference_find.h"
#if defined(CDK_BENCH_HAS_STANDIN)
#include "data/carried_copy.h"
#endif

namespace cdk::bench {
namespace {

constexpr size_t kGiftCodeFileSize = 1830166;
constexpr int kRounds = 61;
constexpr double kSecondsPerTiming = 1e-3;  // each contender, each round

struct Inputs {
  std::string source;                         // what the database text is
  std::string database;                       // the gift-code text
  std::vector<std::string> missing_codes;     // five letters; "<code>0\":{mpid:\"" is nowhere
  std::vector<std::string> missing_needles;   // those first keys
  std::vector<std::string> found_codes;       // "AKGUD" in several cases
  std::vector<unsigned char> absent_bytes;    // bytes that do not occur
  std::string high_bytes;                     // only double-byte characters
  std::vector<std::string> second_byte_needles;  // match there on second bytes only
};

std::string DatabaseText(std::string& source) {
#if defined(CDK_BENCH_HAS_STANDIN)
  ByteView bytes = CarriedCopy();
  source = "stand-in gift-code file";
  return std::string(bytes.begin(), bytes.end());
#else
  source = "synthetic GBK gift-code text";
  return SyntheticGiftCodeText(kGiftCodeFileSize);
#endif
}

bool Occurs(const std::string& text, const std::string& needle) {
  return testing::ReferenceFindText(text, needle, true) != -1;
}

Inputs MakeInputs() {
  Inputs in;
  in.database = DatabaseText(in.source);
  std::mt19937_64 rng(4);
  for (std::string code = "ZQXWV"; in.missing_codes.size() < 8;) {
    std::string needle = FirstKey(code);
    if (!Occurs(in.database, needle)) {
      in.missing_codes.push_back(code);
      in.missing_needles.push_back(needle);
    }
    for (char& c : code) c = static_cast<char>('A' + rng() % 26);
  }
  in.found_codes = {"AKGUD", "akgud", "AkGuD", "aKgUd", "AKGUD123", "Akgud"};
  for (int byte = 1; byte < 256 && in.absent_bytes.size() < 8; ++byte) {
    if (in.database.find(static_cast<char>(byte)) == std::string::npos) {
      in.absent_bytes.push_back(static_cast<unsigned char>(byte));
    }
  }
  // Characters B0|C1 then A1|B0; the needles begin with A1, which never leads
  // here, and match every few bytes across character edges.
  in.high_bytes.reserve(kGiftCodeFileSize);
  while (in.high_bytes.size() + 2 <= kGiftCodeFileSize) {
    in.high_bytes += rng() % 2 ? '\xB0' : '\xC1';
    in.high_bytes += rng() % 2 ? '\xA1' : '\xB0';
  }
  in.second_byte_needles = {"\xA1\xB0\xA1", "\xA1\xC1\xA1", "\xA1\xB0\xB0", "\xA1\xC1\xB0",
                            "\xA1\xB0\xA1\xC1\xA1"};
  return in;
}

// One contender: a call that does its work for the k-th needle of its set.
using Contender = std::function<int64_t(size_t k)>;

template <class T>
const T& Pick(const std::vector<T>& items, size_t k) {
  return items[k % items.size()];
}

struct Contenders {
  Contender findtext_miss, findtext_sse2_miss, scalar_miss, memmem_miss, plain_miss, memchr_absent,
      lookup_found, lookup_miss, findtext_adversarial, findtext_sse2_adversarial, plain_adversarial;
};

Contenders MakeContenders(const Inputs& in) {
  const TextView db = in.database;
  const TextView high = in.high_bytes;
  auto on_path = [&in, db](FindTextPath path) {
    return [&in, db, path](size_t k) -> int64_t {
      return FindTextInPlace(db, Pick(in.missing_needles, k), true, path);
    };
  };
  Contenders c;
  c.findtext_miss = [&in, db](size_t k) -> int64_t { return FindText(db, Pick(in.missing_needles, k)); };
  c.findtext_sse2_miss = on_path(FindTextPath::kSse2);
  c.scalar_miss = on_path(FindTextPath::kScalar);
  c.memmem_miss = [&in, db](size_t k) -> int64_t {
    const std::string& needle = Pick(in.missing_needles, k);
    return memmem(db.data(), db.size(), needle.data(), needle.size()) != nullptr;
  };
  c.plain_miss = [&in, db](size_t k) -> int64_t {
    return testing::ReferenceFindText(db, Pick(in.missing_needles, k), true);
  };
  c.memchr_absent = [&in, db](size_t k) -> int64_t {
    return std::memchr(db.data(), Pick(in.absent_bytes, k), db.size()) != nullptr;
  };
  c.lookup_found = [&in, db](size_t k) -> int64_t {
    return static_cast<int64_t>(LookupItemName(db, Pick(in.found_codes, k)).item_name.size());
  };
  c.lookup_miss = [&in, db](size_t k) -> int64_t {
    return static_cast<int64_t>(LookupItemName(db, Pick(in.missing_codes, k)).package_id.size());
  };
  c.findtext_adversarial = [&in, high](size_t k) -> int64_t {
    return FindText(high, Pick(in.second_byte_needles, k));
  };
  c.findtext_sse2_adversarial = [&in, high](size_t k) -> int64_t {
    return FindTextInPlace(high, Pick(in.second_byte_needles, k), true, FindTextPath::kSse2);
  };
  c.plain_adversarial = [&in, high](size_t k) -> int64_t {
    return testing::ReferenceFindText(high, Pick(in.second_byte_needles, k), true);
  };
  return c;
}

void TimeEachCall(benchmark::State& state, const Contender& run) {
  size_t k = 0;
  for (auto _ : state) benchmark::DoNotOptimize(run(k++));
}

// CPU time of this thread: on a machine shared with builds, wall time would
// count the time the benchmark waits for a core.
double ThreadSeconds() {
  timespec now;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Mean seconds per call over `calls` calls, starting at needle k.
double SecondsPerCall(const Contender& run, int calls, size_t& k) {
  const double begin = ThreadSeconds();
  for (int i = 0; i < calls; ++i) benchmark::DoNotOptimize(run(k++));
  return (ThreadSeconds() - begin) / calls;
}

// Enough calls to fill about kSecondsPerTiming.
int CallsPerTiming(const Contender& run) {
  size_t k = 0;
  SecondsPerCall(run, 2, k);  // warm the caches
  double once = SecondsPerCall(run, 3, k);
  return std::clamp(static_cast<int>(kSecondsPerTiming / std::max(once, 1e-9)), 1, 10000);
}

struct Ratio {
  std::string label;
  double median;
  double goal, reach;  // the bounds asked for and hoped for
  bool at_most;        // "ratio <= goal" rather than ">="
};

std::vector<Ratio> g_ratios;  // filled by the ratio benchmarks, printed last

void TimeRatio(benchmark::State& state, const Contender& numerator, const Contender& denominator,
               Ratio ratio) {
  const int calls_a = CallsPerTiming(numerator);
  const int calls_b = CallsPerTiming(denominator);
  std::vector<double> per_round;
  size_t k_a = 0, k_b = 0;
  for (auto _ : state) {
    double a, b;
    if (per_round.size() % 2 == 0) {
      a = SecondsPerCall(numerator, calls_a, k_a);
      b = SecondsPerCall(denominator, calls_b, k_b);
    } else {
      b = SecondsPerCall(denominator, calls_b, k_b);
      a = SecondsPerCall(numerator, calls_a, k_a);
    }
    per_round.push_back(a / b);
    state.SetIterationTime(a * calls_a + b * calls_b);
  }
  std::sort(per_round.begin(), per_round.end());
  ratio.median = per_round[per_round.size() / 2];
  state.counters["ratio"] = ratio.median;
  g_ratios.push_back(ratio);
}

void PrintRatios() {
  std::printf("\n");
  for (const Ratio& r : g_ratios) {
    const char* sign = r.at_most ? "<=" : ">=";
    bool goal = r.at_most ? r.median <= r.goal : r.median >= r.goal;
    bool reach = r.at_most ? r.median <= r.reach : r.median >= r.reach;
    std::printf("%-46s %8.3f   goal %s %g: %s\n", r.label.c_str(), r.median, sign, r.goal,
                reach ? "met, and the reach goal too" : (goal ? "met" : "NOT MET"));
  }
  std::fflush(stdout);
}

}  // namespace
}  // namespace cdk::bench

int main(int argc, char** argv) {
  using namespace cdk::bench;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

  const Inputs in = MakeInputs();
  const Contenders c = MakeContenders(in);
  const bool sse2_differs = cdk::ChosenFindTextPath() != cdk::FindTextPath::kSse2 &&
                            cdk::FindTextPathAvailable(cdk::FindTextPath::kSse2);
  std::printf("FindText path: %s; text: %s, %zu bytes; missing needle \"%s\"\n",
              std::string(cdk::FindTextPathName()).c_str(), in.source.c_str(), in.database.size(),
              in.missing_needles[0].c_str());
  const cdk::LookupResult akgud = cdk::LookupItemName(in.database, "AKGUD");
  std::printf("LookupItemName(\"AKGUD\"): package id \"%s\" at byte %d, item name %zu bytes at byte %d\n",
              akgud.package_id.c_str(), cdk::FindText(in.database, akgud.first_key),
              akgud.item_name.size(),
              cdk::FindText(in.database, cdk::ConcatText({akgud.package_id, cdk::kSecondKeyTail})));
  std::fflush(stdout);

  struct Timed { const char* name; const Contender* run; };
  std::vector<Timed> timed = {
      {"miss/FindText", &c.findtext_miss},   {"miss/memmem", &c.memmem_miss},
      {"miss/plain_loop", &c.plain_miss},    {"miss/FindText_scalar_path", &c.scalar_miss},
      {"absent_byte/memchr", &c.memchr_absent},
      {"lookup/LookupItemName_AKGUD", &c.lookup_found},
      {"lookup/LookupItemName_miss", &c.lookup_miss},
      {"adversarial/FindText", &c.findtext_adversarial},
      {"adversarial/plain_loop", &c.plain_adversarial}};
  if (sse2_differs) {
    timed.push_back({"miss/FindText_sse2_path", &c.findtext_sse2_miss});
    timed.push_back({"adversarial/FindText_sse2_path", &c.findtext_sse2_adversarial});
  }
  for (const Timed& t : timed) {
    benchmark::RegisterBenchmark(t.name, TimeEachCall, std::cref(*t.run))->Unit(benchmark::kMicrosecond);
  }

  struct Pair { const Contender* a; const Contender* b; Ratio ratio; };
  std::vector<Pair> pairs;
  if (sse2_differs) {
    pairs.push_back({&c.findtext_sse2_miss, &c.memmem_miss,
                     {"(sse2 path) FindText miss / memmem miss", 0, 0.5, 0.35, true}});
    pairs.push_back({&c.plain_adversarial, &c.findtext_sse2_adversarial,
                     {"(sse2 path) adversarial: plain loop / FindText", 0, 5, 20, false}});
  }
  pairs.push_back({&c.findtext_miss, &c.memmem_miss, {"FindText miss / memmem miss", 0, 0.5, 0.35, true}});
  pairs.push_back({&c.plain_miss, &c.findtext_miss, {"plain loop miss / FindText miss", 0, 50, 80, false}});
  pairs.push_back({&c.findtext_miss, &c.memchr_absent,
                   {"FindText miss / memchr absent byte", 0, 5, 3, true}});
  pairs.push_back({&c.lookup_found, &c.memmem_miss,
                   {"LookupItemName(\"AKGUD\") / memmem miss", 0, 1.0, 0.5, true}});
  pairs.push_back({&c.lookup_miss, &c.memmem_miss,
                   {"LookupItemName(missing code) / memmem miss", 0, 1.0, 0.5, true}});
  pairs.push_back({&c.plain_adversarial, &c.findtext_adversarial,
                   {"adversarial: plain loop / FindText", 0, 5, 20, false}});
  for (const Pair& p : pairs) {
    benchmark::RegisterBenchmark(("ratio/" + p.ratio.label).c_str(), TimeRatio, std::cref(*p.a),
                                 std::cref(*p.b), p.ratio)
        ->Iterations(kRounds)
        ->UseManualTime()
        ->Unit(benchmark::kMicrosecond);
  }

  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  PrintRatios();
  return 0;
}
