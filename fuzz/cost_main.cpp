// What reading rich text costs per input byte: for every file of the folders
// given (the fuzz corpus), and for hostile documents grown to 1, 4 and 16 MB,
// the time of one reading and the most memory it holds at once, each divided
// by the input's size, for the document reader (readRtf: the export, the
// headless editor) and the search's one pass (its folded text). The worst of
// each is printed last; a reader linear in time and memory keeps them flat
// however large the input.
//
//   rtf_cost fuzz/corpus/rtf
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <malloc.h>
#include <new>
#include <string>
#include <vector>

#include <time.h>

#include "rtf/reader.h"
#include "search/fold.h"

namespace {

// Every allocation of the program counted, to know the most held at once.
size_t g_held = 0, g_peak = 0;

struct Cost {
  double nsPerByte = 0;
  double bytesPerByte = 0;
};

// Processor time, so that other programs running meanwhile do not count.
double cpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// The least time of five stretches of at least 10 ms, and the memory of one reading.
template <class Read>
Cost measure(const std::string& input, Read read) {
  const size_t size = std::max<size_t>(input.size(), 1);
  const size_t before = g_held;
  g_peak = g_held;
  read(input);
  const size_t peak = g_peak - before;
  double best = 1e30;
  for (int stretch = 0; stretch < 5; ++stretch) {
    int runs = 0;
    const double start = cpuSeconds();
    double seconds = 0;
    do {
      read(input);
      ++runs;
      seconds = cpuSeconds() - start;
    } while (seconds < 0.01);
    best = std::min(best, seconds / runs);
  }
  return {best * 1e9 / static_cast<double>(size), static_cast<double>(peak) / static_cast<double>(size)};
}

struct Row {
  std::string name;
  size_t size;
  Cost reader, search;
};

Row costOf(const std::string& name, const std::string& input) {
  Row row{name, input.size(), {}, {}};
  row.reader = measure(input, [](const std::string& in) { (void)rtf::readAny(in); });
  row.search = measure(input, [](const std::string& in) {
    std::string lowered(in.size(), '\0'), bare(in.size(), '\0');
    (void)search::foldEntry(in, lowered.data(), bare.data());
  });
  return row;
}

std::string grown(const std::string& head, const std::string& piece, size_t size) {
  std::string out = head;
  while (out.size() < size) out += piece;
  return out;
}

std::vector<std::pair<std::string, std::string>> hostile(size_t size) {
  const std::string rtf = "{\\rtf1\\ansi\\ansicpg1250{\\fonttbl{\\f0\\fnil\\fcharset238 " + std::string(31, 'F') + ";}}\\f0 ";
  const std::string longName = "{\\rtf1{\\fonttbl{\\f0 " + std::string(100'000, 'A') + ";}}\\f0";
  return {
      {"alternating formats", grown(rtf, "{\\cf1\\fs30\\b\\i\\ul a}{\\fs31 b}", size)},
      {"bold switches", grown(rtf, "\\b x\\b0 y", size)},
      {"bold switches, 100 KB font name", grown(longName, "\\b x\\b0 y", size)},
      {"empty paragraphs", grown(rtf, "\\par ", size)},
      {"letters and paragraphs", grown(rtf, "\\u269?\\'e8\\par ", size)},
      {"code page changes", grown("{\\rtf1{\\fonttbl{\\f0\\fcharset204 A;}{\\f1\\fcharset238 B;}}", "\\f0\\'e8\\f1\\'e8", size)},
      {"hidden text", grown(rtf, "{\\v skrito}a", size)},
      {"font table entries", grown("{\\rtf1{\\fonttbl", "{\\f123456 Ime pisave;}", size)},
      {"groups opened", grown(rtf, "{", size)},
      {"backslashes", grown(rtf, "\\", size)},
      {"plain text", std::string(size, 'a')},
  };
}

void print(const Row& r) {
  std::printf("%-44.44s %9zu  %7.1f ns %6.1f B   %7.1f ns %6.1f B\n", r.name.c_str(), r.size, r.reader.nsPerByte,
              r.reader.bytesPerByte, r.search.nsPerByte, r.search.bytesPerByte);
}

}  // namespace

// glibc's usable size stands for an allocation's size.
void* operator new(size_t n) {
  void* p = std::malloc(n);
  if (!p) throw std::bad_alloc();
  g_held += malloc_usable_size(p);
  g_peak = std::max(g_peak, g_held);
  return p;
}
void operator delete(void* p) noexcept {
  if (p) g_held -= malloc_usable_size(p);
  std::free(p);
}
void operator delete(void* p, size_t) noexcept { operator delete(p); }

int main(int argc, char** argv) {
  costOf("warm-up", "{\\rtf1 a}");  // the tables each reader makes once
  std::vector<Row> rows;
  for (int i = 1; i < argc; ++i)
    for (const auto& entry : std::filesystem::directory_iterator(argv[i])) {
      std::ifstream in(entry.path(), std::ios::binary);
      const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
      rows.push_back(costOf(entry.path().filename().string(), bytes));
    }
  for (size_t size : {size_t{1} << 20, size_t{4} << 20, size_t{16} << 20})
    for (const auto& [name, input] : hostile(size)) rows.push_back(costOf(name, input));
  std::printf("%-44s %9s  %-20s %-20s\n", "input", "bytes", "document reader", "search's one pass");
  for (const Row& r : rows) print(r);
  // Below a kilobyte the fixed cost of a reading (its tables) outweighs the input.
  auto worst = [&](auto field) {
    const Row* w = nullptr;
    for (const Row& r : rows)
      if (r.size >= 1024 && (!w || field(r) > field(*w))) w = &r;
    return w;
  };
  std::printf("\nworst over inputs of 1 KB or more:\n");
  print(*worst([](const Row& r) { return r.reader.nsPerByte; }));
  print(*worst([](const Row& r) { return r.reader.bytesPerByte; }));
  print(*worst([](const Row& r) { return r.search.nsPerByte; }));
  print(*worst([](const Row& r) { return r.search.bytesPerByte; }));
  return 0;
}
