#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "gui/region.h"

using namespace gui;

namespace {

// The region drawn as rows of '#' (inside) and '.' over a w × h grid.
std::string picture(const Region& r, int w, int h) {
  std::string out;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) out += r.contains({x, y}) ? '#' : '.';
    out += '\n';
  }
  return out;
}

Region ltrb(int l, int t, int r, int b) { return Region(Rect{l, t, r - l, b - t}); }

// A deterministic scatter of small rectangles on a 12 × 12 grid.
std::vector<Rect> scatter(uint32_t seed, int count) {
  std::vector<Rect> out;
  for (int i = 0; i < count; ++i) {
    seed = seed * 1664525u + 1013904223u;
    const int x = int(seed >> 8) % 11, y = int(seed >> 16) % 11;
    const int w = 1 + int(seed >> 4) % 5, h = 1 + int(seed >> 24) % 5;
    out.push_back({x, y, w, h});
  }
  return out;
}

bool inAny(const std::vector<Rect>& rects, Point p) {
  for (const Rect& r : rects)
    if (r.contains(p)) return true;
  return false;
}

// The invariants of the canonical form, checked on the rectangle list.
void expectCanonical(const Region& r) {
  const std::vector<Rect> rs = r.rects();
  for (size_t i = 1; i < rs.size(); ++i) {
    const Rect& a = rs[i - 1];
    const Rect& b = rs[i];
    if (a.y == b.y) {
      EXPECT_EQ(a.h, b.h) << "one band, one height";
      EXPECT_LT(a.right(), b.x) << "spans in a band are sorted, disjoint and not touching";
    } else {
      EXPECT_LE(a.bottom(), b.y) << "bands are sorted and do not overlap";
    }
  }
  EXPECT_EQ(Region::fromRects(rs), r) << "rebuilding from its own rectangles changes nothing";
}

void put32(std::vector<uint8_t>& d, size_t at, int32_t v) {
  for (int i = 0; i < 4; ++i) d[at + i] = uint8_t(uint32_t(v) >> (8 * i));
}

}  // namespace

TEST(Region, UnionIsSplitIntoBandsAsTheSystemReportsIt) {
  const Region r = ltrb(0, 0, 4, 2).united(ltrb(2, 1, 6, 3));
  EXPECT_EQ(r.rects(), (std::vector<Rect>{{0, 0, 4, 1}, {0, 1, 6, 1}, {2, 2, 4, 1}}));
  EXPECT_EQ(picture(r, 7, 4),
            "####...\n"
            "######.\n"
            "..####.\n"
            ".......\n");
  EXPECT_EQ(r.bounds(), (Rect{0, 0, 6, 3}));
}

TEST(Region, TouchingPiecesMergeSoEqualSetsHaveEqualRectangles) {
  EXPECT_EQ(ltrb(0, 0, 2, 2).united(ltrb(2, 0, 5, 2)).rects(), (std::vector<Rect>{{0, 0, 5, 2}}));
  EXPECT_EQ(ltrb(0, 0, 3, 1).united(ltrb(0, 1, 3, 2)).rects(), (std::vector<Rect>{{0, 0, 3, 2}}));
  // Built column by column or row by row, the same square is one rectangle.
  const Rect cols[] = {{0, 0, 1, 3}, {1, 0, 1, 3}, {2, 0, 1, 3}};
  const Rect rows[] = {{0, 2, 3, 1}, {0, 0, 3, 1}, {0, 1, 3, 1}};
  EXPECT_EQ(Region::fromRects(cols), Region::fromRects(rows));
  EXPECT_EQ(Region::fromRects(cols).rectCount(), 1u);
  // A hole punched and filled again leaves no seam.
  const Region square = ltrb(0, 0, 4, 4);
  EXPECT_EQ(square.subtracted(ltrb(1, 1, 2, 2)).united(ltrb(1, 1, 2, 2)), square);
}

TEST(Region, SetOperationsAgreeWithPixelsEverywhere) {
  for (uint32_t seed = 1; seed <= 40; ++seed) {
    const std::vector<Rect> ra = scatter(seed, 4), rb = scatter(seed * 7919u, 3);
    const Region a = Region::fromRects(ra), b = Region::fromRects(rb);
    const Region both = a.intersected(b), either = a.united(b), diff = a.subtracted(b), odd = a.xored(b);
    for (const Region* r : {&a, &both, &either, &diff, &odd}) expectCanonical(*r);
    for (int y = -1; y < 17; ++y)
      for (int x = -1; x < 17; ++x) {
        const bool inA = inAny(ra, {x, y}), inB = inAny(rb, {x, y});
        ASSERT_EQ(a.contains({x, y}), inA) << seed << " at " << x << "," << y;
        ASSERT_EQ(both.contains({x, y}), inA && inB) << seed;
        ASSERT_EQ(either.contains({x, y}), inA || inB) << seed;
        ASSERT_EQ(diff.contains({x, y}), inA && !inB) << seed;
        ASSERT_EQ(odd.contains({x, y}), inA != inB) << seed;
      }
    EXPECT_EQ(Region::combine(a, b, CombineMode::Copy), a);
  }
}

TEST(Region, OffsetMovesEveryPixel) {
  const Region r = ltrb(0, 0, 2, 1).united(ltrb(3, 1, 4, 2));
  EXPECT_EQ(picture(r.offsetBy(1, 1), 5, 3),
            ".....\n"
            ".##..\n"
            "....#\n");
  EXPECT_EQ(r.offsetBy(-5, 7).offsetBy(5, -7), r);
  EXPECT_TRUE(Region().empty());
  EXPECT_EQ(Region().bounds(), Rect{});
  EXPECT_TRUE(Region(Rect{3, 3, 0, 5}).empty());
}

TEST(RegionData, WritesTheSystemBlockAndReadsItBack) {
  const Region r = ltrb(0, 0, 4, 2).united(ltrb(2, 1, 6, 3));
  const std::vector<uint8_t> block = r.toRegionData();
  ASSERT_EQ(block.size(), 32u + 3 * 16);
  const std::vector<uint8_t> header{32, 0, 0, 0, 1, 0, 0, 0, 3, 0, 0, 0, 48, 0, 0, 0,
                                    0,  0, 0, 0, 0, 0, 0, 0, 6, 0, 0, 0, 3,  0, 0, 0};
  EXPECT_EQ(std::vector<uint8_t>(block.begin(), block.begin() + 32), header);
  // Second rectangle (0, 1)-(6, 2).
  EXPECT_EQ(std::vector<uint8_t>(block.begin() + 48, block.begin() + 64),
            (std::vector<uint8_t>{0, 0, 0, 0, 1, 0, 0, 0, 6, 0, 0, 0, 2, 0, 0, 0}));
  EXPECT_EQ(Region::fromRegionData(block), r);

  const std::vector<uint8_t> empty = Region().toRegionData();
  EXPECT_EQ(empty.size(), 32u);
  EXPECT_EQ(Region::fromRegionData(empty), Region());

  // Negative coordinates survive the trip.
  const Region neg = ltrb(-7, -3, -1, 2);
  EXPECT_EQ(Region::fromRegionData(neg.toRegionData()), neg);
}

TEST(RegionData, AcceptsWhatTheSystemAcceptsInAnyOrder) {
  // Rectangles out of order and overlapping, nRgnSize 0, a wrong bound, an
  // empty rectangle and trailing bytes: read as the union of the real ones.
  std::vector<uint8_t> d(32 + 3 * 16 + 5, 0xEE);
  put32(d, 0, 32);
  put32(d, 4, 1);
  put32(d, 8, 3);
  put32(d, 12, 0);
  for (int i = 0; i < 4; ++i) put32(d, 16 + 4 * i, 999);
  const int32_t rects[3][4] = {{2, 1, 6, 3}, {5, 5, 5, 9}, {0, 0, 4, 2}};
  for (int k = 0; k < 3; ++k)
    for (int i = 0; i < 4; ++i) put32(d, 32 + 16 * k + 4 * i, rects[k][i]);
  EXPECT_EQ(Region::fromRegionData(d), ltrb(0, 0, 4, 2).united(ltrb(2, 1, 6, 3)));
}

TEST(RegionData, DamagedBlocksAreRejected) {
  const std::vector<uint8_t> good = ltrb(1, 1, 3, 3).united(ltrb(5, 0, 9, 2)).toRegionData();
  auto damaged = [&](size_t at, int32_t v) {
    std::vector<uint8_t> d = good;
    put32(d, at, v);
    return Region::fromRegionData(d);
  };
  EXPECT_FALSE(Region::fromRegionData(std::span(good).first(31)));
  EXPECT_FALSE(Region::fromRegionData(std::span(good).first(good.size() - 1))) << "last rectangle cut short";
  EXPECT_FALSE(damaged(0, 40)) << "header size";
  EXPECT_FALSE(damaged(4, 2)) << "type";
  EXPECT_EQ(good.size(), 32u + 4 * 16);
  EXPECT_FALSE(damaged(8, 5)) << "more rectangles than bytes";
  EXPECT_FALSE(damaged(8, -1)) << "a count that would overflow";
  EXPECT_FALSE(damaged(32, -(1 << 30))) << "coordinate beyond the system's range";
  // A count below the rectangles present is a valid block of the first ones.
  EXPECT_EQ(damaged(8, 1), ltrb(5, 0, 9, 1));

  // Every single-byte corruption and every truncation is answered, never read past the end.
  for (size_t len = 0; len <= good.size(); ++len) (void)Region::fromRegionData(std::span(good).first(len));
  for (size_t i = 0; i < good.size(); ++i)
    for (uint8_t v : {uint8_t(0x00), uint8_t(0x7F), uint8_t(0x80), uint8_t(0xFF)}) {
      std::vector<uint8_t> d = good;
      d[i] = v;
      if (auto r = Region::fromRegionData(d)) expectCanonical(*r);
    }
}
