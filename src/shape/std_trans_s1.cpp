#include "shape/std_trans_s1.h"

#include <cmath>
#include <limits>
#include <string>
#include <string_view>

#include "shape/error.h"
#include "shape/key_runs.h"
#include "shape/region_file.h"
#include "skin/bmp.h"
#include "store/file_io.h"

namespace shape {
namespace fs = std::filesystem;
namespace {

// The largest picture file read: a 32-bit bitmap of the largest size the
// reader accepts, with room for its headers.
constexpr uintmax_t kMaxPictureFile = uintmax_t(skin::kMaxBmpSide) * skin::kMaxBmpSide * 4 + 65536;

[[noreturn]] void fail(int32_t number, std::string description) { throw Error(number, std::move(description)); }

int toScale(double v) {
  const double r = std::nearbyint(v);  // the default rounding: halves to even
  if (!(r >= std::numeric_limits<int32_t>::min() && r <= std::numeric_limits<int32_t>::max()))
    fail(err::kOverflow, "Overflow");
  return static_cast<int>(r);
}

// The main window's rectangle with its corners cut: the top ones over five
// rows (5, 3, 2, 1, 1 pixels), the bottom ones over two (1, 2).
gui::Region roundedRectangle(int w, int h) {
  gui::Region r(gui::Rect{0, 0, w, h});
  // (left, top, right, bottom), each combined with exclusive-or in this order.
  const int cuts[][4] = {
      {0, 0, 5, 1}, {0, 1, 3, 2}, {0, 2, 2, 3}, {0, 3, 1, 5},                  // top left
      {w - 5, 0, w, 1}, {w - 3, 1, w, 2}, {w - 2, 2, w, 3}, {w - 1, 3, w, 5},  // top right
      {0, h - 2, 1, h - 1}, {0, h - 1, 2, h},                                  // bottom left
      {w - 1, h - 2, w, h - 1}, {w - 2, h - 1, w, h},                          // bottom right
  };
  for (const auto& c : cuts) r = r.xored(gui::Region(gui::Rect{c[0], c[1], c[2] - c[0], c[3] - c[1]}));
  return r;
}

// A region of 100 % pixels at a scale, each rectangle's edges scaled.
gui::Region scaledRegion(const gui::Region& region, base::Scale scale) {
  if (scale.identity()) return region;
  gui::Region out;
  for (const gui::Rect& r : region.rects()) out = out.united(gui::Region(scale(r)));
  return out;
}

// The file's status, raising 53 when it is missing and 75 when it is no file.
uintmax_t regularFileSize(const fs::path& path) {
  std::error_code ec;
  const fs::file_status st = fs::status(path, ec);
  if (!fs::exists(st)) fail(err::kFileNotFound, "File not found");
  const uintmax_t n = fs::is_regular_file(st) ? fs::file_size(path, ec) : 0;
  if (!fs::is_regular_file(st) || ec) fail(err::kPathFileAccess, "Path/File access error");
  return n;
}

std::string readWhole(const fs::path& path) {
  std::optional<std::string> bytes = store::readFile(path);
  if (!bytes) fail(err::kPathFileAccess, "Path/File access error");
  return std::move(*bytes);
}

std::span<const uint8_t> asBytes(std::string_view s) {
  return {reinterpret_cast<const uint8_t*>(s.data()), s.size()};
}

}  // namespace

void stdTRANSs1::DeleteRGN() {
  m_region.reset();
  m_givenAway = false;
}

void stdTRANSs1::setScaleX(double v) { m_scaleX = toScale(v); }
void stdTRANSs1::setScaleY(double v) { m_scaleY = toScale(v); }

void stdTRANSs1::give(const WindowRef& window) {
  if (m_givenAway || !window.giveRegion(*m_region)) return;
  m_givenAway = true;
}

void stdTRANSs1::DoObject() {
  if (m_region) give(m_myObject);
}

void stdTRANSs1::DoToObject(WindowRef sHandel) {
  if (!m_region) fail(1533, "There are no BitMap Region to apply, Call 0155501234.");
  give(sHandel);
}

void stdTRANSs1::DoObject2() {
  if (m_myObject.isNothing()) fail(err::kObjectNotSet, "Object variable or With block variable not set");
  if (!m_myObject.hasWindow()) fail(err::kNoSuchProperty, "Object doesn't support this property or method");
  const base::Scale scale = m_myObject.scale();
  const int w = scale.unscale(m_myObject.pixelWidth()), h = scale.unscale(m_myObject.pixelHeight());
  DeleteRGN();
  // The corners are cut as at 100 %, each cut pixel grown to the scale, so
  // they take the same share of the frame's rounded art at every scale.
  m_myObject.giveRegion(scaledRegion(roundedRectangle(w, h), scale));
}

template <class IsKey>
void stdTRANSs1::fromPixels(int w, int h, IsKey isKey) {
  const std::vector<KeyRun> runs = findKeyRuns(w, h, isKey);
  if (!runs.empty()) {
    // Beyond this the system makes no region of the scaled rectangles.
    const int64_t limit = gui::Region::kMaxCoordinate;
    if (std::abs(int64_t(w) * m_scaleX) > limit || std::abs(int64_t(h) * m_scaleY) > limit)
      fail(err::kOverflow, "Overflow");
    m_region = withoutRuns({0, 0, w, h}, runs).scaled(m_scaleX, m_scaleY);
  }
  if (BitMapLoaded) BitMapLoaded();
}

int stdTRANSs1::BitMap(const gui::Surface& sBitMap) {
  DeleteRGN();
  const uint32_t key = m_bitColor.value & 0xFFFFFF;
  fromPixels(sBitMap.deviceWidth(), sBitMap.deviceHeight(),
             [&](int x, int y) { return (sBitMap.row(y)[x] & 0xFFFFFF) == key; });
  return 0;
}

int stdTRANSs1::LoadBitmap(const fs::path& sFileName) {
  DeleteRGN();
  const uintmax_t n = regularFileSize(sFileName);
  std::optional<gui::Surface> picture;
  if (n <= kMaxPictureFile) picture = skin::decodeBmp(asBytes(readWhole(sFileName)));
  if (!picture) fail(err::kInvalidPicture, "Invalid picture");
  return BitMap(*picture);
}

int stdTRANSs1::LoadDIMap(std::span<const uint8_t> sBits, int xWid, int xHei) {
  DeleteRGN();
  const int w = std::max(xWid, 0), h = std::max(xHei, 0);
  if (uint64_t(w) * uint64_t(h) * 3 > sBits.size()) fail(err::kSubscriptOutOfRange, "Subscript out of range");
  const base::Color key = m_bitColor;
  fromPixels(w, h, [&](int x, int y) {
    const size_t at = 3 * (size_t(x) + size_t(w) * size_t(y));
    return sBits[at] == key.b() && sBits[at + 1] == key.g() && sBits[at + 2] == key.r();
  });
  return 0;
}

void stdTRANSs1::SaveRGNFile(const fs::path& sFileName) const {
  std::error_code ec;
  if (fs::is_directory(sFileName, ec)) fail(err::kPathFileAccess, "Path/File access error");
  // A read-only file is replaced like any other.
  fs::permissions(sFileName, fs::perms::owner_write, fs::perm_options::add, ec);
  if (!m_region) {
    fs::remove(sFileName, ec);
    if (ec) fail(err::kPathFileAccess, "Path/File access error");
    return;
  }
  const std::vector<uint8_t> data = m_region->toRegionData();
  fs::path tempName = "~";
  tempName += sFileName.filename();
  tempName += ".tmp";
  const fs::path temp = sFileName.parent_path() / tempName;
  const std::string_view bytes(reinterpret_cast<const char*>(data.data()), data.size());
  if (!store::writeFileAtomic(sFileName, bytes, temp)) fail(err::kPathFileAccess, "Path/File access error");
}

void stdTRANSs1::LoadRGNFile(const fs::path& sFileName, int16_t) {
  const uintmax_t n = regularFileSize(sFileName);
  if (n == 0) return;
  const std::string bytes = n <= kMaxRegionFileSize ? readWhole(sFileName) : std::string();
  DeleteRGN();
  RegionFileReading reading = n <= kMaxRegionFileSize ? readRegionData(asBytes(bytes))
                                                      : RegionFileReading{std::nullopt, "larger than any window's shape"};
  if (!reading.region) fail(err::kInvalidFileFormat, "Invalid file format: " + reading.fault);
  m_region = std::move(reading.region);
}

}  // namespace shape
