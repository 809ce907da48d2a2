#include "gui/region.h"

#include <algorithm>
#include <climits>

namespace gui {

namespace {

bool inside(bool a, bool b, CombineMode mode) {
  switch (mode) {
    case CombineMode::And: return a && b;
    case CombineMode::Or: return a || b;
    case CombineMode::Xor: return a != b;
    case CombineMode::Diff: return a && !b;
    case CombineMode::Copy: return a;
  }
  return false;
}

void put32(std::vector<uint8_t>& out, int32_t v) {
  const auto u = static_cast<uint32_t>(v);
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(u >> (8 * i)));
}

uint32_t get32(std::span<const uint8_t> d, size_t at) {
  return uint32_t(d[at]) | (uint32_t(d[at + 1]) << 8) | (uint32_t(d[at + 2]) << 16) | (uint32_t(d[at + 3]) << 24);
}

}  // namespace

Region::Region(Rect r) {
  if (!r.empty()) m_bands.push_back({r.y, r.bottom(), {{r.x, r.right()}}});
}

void Region::assign(Rect r) {
  if (r.empty()) {
    m_bands.clear();
    return;
  }
  m_bands.resize(1);
  m_bands[0].top = r.y;
  m_bands[0].bottom = r.bottom();
  m_bands[0].spans.assign(1, Span{r.x, r.right()});
}

void Region::pushBand(int top, int bottom, std::vector<Span>&& spans) {
  if (spans.empty() || bottom <= top) return;
  if (!m_bands.empty() && m_bands.back().bottom == top && m_bands.back().spans == spans) {
    m_bands.back().bottom = bottom;
    return;
  }
  m_bands.push_back({top, bottom, std::move(spans)});
}

std::vector<Region::Span> Region::spansAt(const Region& r, int y) {
  auto it = std::upper_bound(r.m_bands.begin(), r.m_bands.end(), y,
                             [](int v, const Band& b) { return v < b.bottom; });
  if (it == r.m_bands.end() || it->top > y) return {};
  return it->spans;
}

Region Region::fromRects(std::span<const Rect> rects) {
  std::vector<Rect> live;
  std::vector<int> ys;
  for (const Rect& r : rects) {
    if (r.empty()) continue;
    live.push_back(r);
    ys.push_back(r.y);
    ys.push_back(r.bottom());
  }
  std::sort(ys.begin(), ys.end());
  ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
  Region out;
  for (size_t i = 0; i + 1 < ys.size(); ++i) {
    std::vector<Span> spans;
    for (const Rect& r : live)
      if (r.y <= ys[i] && r.bottom() > ys[i]) spans.push_back({r.x, r.right()});
    std::sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) { return a.left < b.left; });
    std::vector<Span> merged;
    for (const Span& s : spans) {
      if (!merged.empty() && s.left <= merged.back().right)
        merged.back().right = std::max(merged.back().right, s.right);
      else
        merged.push_back(s);
    }
    out.pushBand(ys[i], ys[i + 1], std::move(merged));
  }
  return out;
}

Rect Region::bounds() const {
  if (m_bands.empty()) return {};
  int left = INT_MAX, right = INT_MIN;
  for (const Band& b : m_bands) {
    left = std::min(left, b.spans.front().left);
    right = std::max(right, b.spans.back().right);
  }
  const int top = m_bands.front().top, bottom = m_bands.back().bottom;
  return {left, top, right - left, bottom - top};
}

bool Region::contains(Point p) const {
  for (const Span& s : spansAt(*this, p.y))
    if (p.x >= s.left && p.x < s.right) return true;
  return false;
}

std::vector<Rect> Region::rects() const {
  std::vector<Rect> out;
  for (const Band& b : m_bands)
    for (const Span& s : b.spans) out.push_back({s.left, b.top, s.right - s.left, b.bottom - b.top});
  return out;
}

size_t Region::rectCount() const {
  size_t n = 0;
  for (const Band& b : m_bands) n += b.spans.size();
  return n;
}

void Region::offset(int dx, int dy) {
  for (Band& b : m_bands) {
    b.top += dy;
    b.bottom += dy;
    for (Span& s : b.spans) {
      s.left += dx;
      s.right += dx;
    }
  }
}

Region Region::offsetBy(int dx, int dy) const {
  Region r = *this;
  r.offset(dx, dy);
  return r;
}

bool Region::appendBand(int top, int bottom, std::span<const Span> spans) {
  if (bottom <= top || spans.empty()) return false;
  if (!m_bands.empty() && top < m_bands.back().bottom) return false;
  std::vector<Span> merged;
  merged.reserve(spans.size());
  for (const Span& s : spans) {
    if (s.right <= s.left) return false;
    if (!merged.empty() && s.left < merged.back().right) return false;
    if (!merged.empty() && s.left == merged.back().right)
      merged.back().right = s.right;
    else
      merged.push_back(s);
  }
  pushBand(top, bottom, std::move(merged));
  return true;
}

Region Region::scaled(int sx, int sy) const {
  if (sx == 0 || sy == 0) return {};
  // Each span and band keeps its order under a positive factor and reverses
  // it under a negative one; touching stays touching, so the form stays
  // canonical.
  auto scale = [](int a, int b, int f) { return f > 0 ? Span{a * f, b * f} : Span{b * f, a * f}; };
  Region out;
  for (const Band& b : m_bands) {
    Band nb;
    const Span ys = scale(b.top, b.bottom, sy);
    nb.top = ys.left;
    nb.bottom = ys.right;
    for (const Span& s : b.spans) nb.spans.push_back(scale(s.left, s.right, sx));
    if (sx < 0) std::reverse(nb.spans.begin(), nb.spans.end());
    out.m_bands.push_back(std::move(nb));
  }
  if (sy < 0) std::reverse(out.m_bands.begin(), out.m_bands.end());
  return out;
}

Region Region::combine(const Region& a, const Region& b, CombineMode mode) {
  if (mode == CombineMode::Copy) return a;
  std::vector<int> ys;
  for (const Region* r : {&a, &b})
    for (const Band& band : r->m_bands) {
      ys.push_back(band.top);
      ys.push_back(band.bottom);
    }
  std::sort(ys.begin(), ys.end());
  ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
  Region out;
  for (size_t i = 0; i + 1 < ys.size(); ++i) {
    const std::vector<Span> sa = spansAt(a, ys[i]), sb = spansAt(b, ys[i]);
    std::vector<int> xs;
    for (const auto* spans : {&sa, &sb})
      for (const Span& s : *spans) {
        xs.push_back(s.left);
        xs.push_back(s.right);
      }
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    // Walk the elementary intervals, tracking membership in each operand.
    std::vector<Span> spans;
    size_t ia = 0, ib = 0;
    for (size_t k = 0; k + 1 < xs.size(); ++k) {
      const int x = xs[k];
      while (ia < sa.size() && sa[ia].right <= x) ++ia;
      while (ib < sb.size() && sb[ib].right <= x) ++ib;
      const bool inA = ia < sa.size() && sa[ia].left <= x;
      const bool inB = ib < sb.size() && sb[ib].left <= x;
      if (!inside(inA, inB, mode)) continue;
      if (!spans.empty() && spans.back().right == x)
        spans.back().right = xs[k + 1];
      else
        spans.push_back({x, xs[k + 1]});
    }
    out.pushBand(ys[i], ys[i + 1], std::move(spans));
  }
  return out;
}

std::vector<uint8_t> Region::toRegionData() const {
  const std::vector<Rect> list = rects();
  const Rect b = bounds();
  std::vector<uint8_t> out;
  out.reserve(32 + 16 * list.size());
  put32(out, 32);
  put32(out, 1);
  put32(out, static_cast<int32_t>(list.size()));
  put32(out, static_cast<int32_t>(list.size() * 16));
  for (int v : {b.x, b.y, b.right(), b.bottom()}) put32(out, v);
  for (const Rect& r : list)
    for (int v : {r.x, r.y, r.right(), r.bottom()}) put32(out, v);
  return out;
}

std::optional<Region> Region::fromRegionData(std::span<const uint8_t> data) {
  constexpr size_t kHeader = 32;
  if (data.size() < kHeader) return std::nullopt;
  if (get32(data, 0) != kHeader || get32(data, 4) != 1) return std::nullopt;
  const uint32_t count = get32(data, 8);
  if (count > (data.size() - kHeader) / 16) return std::nullopt;
  std::vector<Rect> list;
  list.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    int32_t v[4];
    for (int k = 0; k < 4; ++k) {
      v[k] = static_cast<int32_t>(get32(data, kHeader + 16 * i + 4 * k));
      if (v[k] < -kMaxCoordinate || v[k] > kMaxCoordinate) return std::nullopt;
    }
    if (v[0] < v[2] && v[1] < v[3]) list.push_back({v[0], v[1], v[2] - v[0], v[3] - v[1]});
  }
  return fromRects(list);
}

}  // namespace gui
