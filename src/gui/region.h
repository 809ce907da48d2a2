#pragma once
// A set of pixels kept as rectangles in y-x bands, in the canonical form of a
// Windows region: bands sorted by top; inside a band disjoint spans sorted by
// left with touching spans merged; vertically adjacent bands with identical
// spans merged into one. Two regions covering the same pixels therefore have
// the same rectangles, in the order the system reports them in its region
// data block (the region file format).
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "gui/surface.h"

namespace gui {

// The combine modes of CombineRgn, numbered as the system numbers them.
enum class CombineMode : int { And = 1, Or = 2, Xor = 3, Diff = 4, Copy = 5 };

class Region {
 public:
  Region() = default;  // empty
  explicit Region(Rect r);

  // The union of the rectangles, in any order; empty rectangles add nothing.
  static Region fromRects(std::span<const Rect> rects);

  // One piece of a band: the columns [left, right).
  struct Span {
    int left = 0, right = 0;
    friend bool operator==(const Span&, const Span&) = default;
  };
  // Adds the band [top, bottom) below every band already there, so that a
  // region is built top down in one pass (a bitmap's rows, the rectangles of
  // a region data block). The spans must be sorted and must not overlap;
  // touching ones merge, and so does a band equal to the one just above.
  // Answers false, changing nothing, for a band above the last one's bottom,
  // an empty band or spans out of order.
  bool appendBand(int top, int bottom, std::span<const Span> spans);

  // Becomes the one rectangle, reusing its storage: a window's pending
  // region is set again on every frame.
  void assign(Rect r);

  bool empty() const { return m_bands.empty(); }
  Rect bounds() const;
  bool contains(Point p) const;
  // The rectangles in canonical order (top to bottom, left to right).
  std::vector<Rect> rects() const;
  size_t rectCount() const;

  Region united(const Region& o) const { return combine(*this, o, CombineMode::Or); }
  Region intersected(const Region& o) const { return combine(*this, o, CombineMode::And); }
  Region subtracted(const Region& o) const { return combine(*this, o, CombineMode::Diff); }
  Region xored(const Region& o) const { return combine(*this, o, CombineMode::Xor); }
  Region offsetBy(int dx, int dy) const;
  // Every coordinate multiplied, as rectangles made with the products would
  // cover: a negative factor mirrors the region, a zero one empties it.
  Region scaled(int sx, int sy) const;
  void offset(int dx, int dy);

  // a `mode` b, as CombineRgn computes it (Copy answers a).
  static Region combine(const Region& a, const Region& b, CombineMode mode);

  // The Windows region data block: RGNDATAHEADER (dwSize 32, iType 1,
  // nCount, nRgnSize = nCount * 16, rcBound) followed by nCount RECTs, all
  // little-endian 32-bit. An empty region has nCount 0 and a zero bound.
  std::vector<uint8_t> toRegionData() const;
  // Reads a block as ExtCreateRegion does: the rectangles are united, empty
  // ones ignored, nRgnSize and rcBound not trusted. A damaged block (short,
  // wrong header size or type, more rectangles than bytes, coordinates beyond
  // the system's range) answers nullopt. Bytes after the last rectangle are
  // ignored. For blocks the system hands over; region files are read with
  // every check by shape/region_file.h.
  static std::optional<Region> fromRegionData(std::span<const uint8_t> data);

  friend bool operator==(const Region&, const Region&) = default;

  // The largest coordinate magnitude a region accepts (the system's limit).
  static constexpr int kMaxCoordinate = 1 << 27;

 private:
  struct Band {
    int top = 0, bottom = 0;  // bottom exclusive
    std::vector<Span> spans;
    friend bool operator==(const Band&, const Band&) = default;
  };

  void pushBand(int top, int bottom, std::vector<Span>&& spans);
  static std::vector<Span> spansAt(const Region& r, int y);

  std::vector<Band> m_bands;
};

}  // namespace gui
