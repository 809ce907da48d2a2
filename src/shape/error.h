#pragma once
// The one error that the window-shape classes raise: a number and a text, as
// the program's runtime numbers them (53 file not found, 481 invalid picture
// …), with the class's own numbers beside them (1533, the shaper's).
#include <cstdint>
#include <stdexcept>
#include <string>

namespace shape {

class Error : public std::runtime_error {
 public:
  Error(int32_t number, std::string description, std::string source = {})
      : std::runtime_error(description), m_number(number), m_description(std::move(description)),
        m_source(std::move(source)) {}

  int32_t number() const { return m_number; }
  const std::string& description() const { return m_description; }
  const std::string& source() const { return m_source; }

 private:
  int32_t m_number;
  std::string m_description;
  std::string m_source;
};

// The runtime's numbers for the failures these classes meet.
namespace err {
inline constexpr int32_t kOverflow = 6;
inline constexpr int32_t kSubscriptOutOfRange = 9;
inline constexpr int32_t kFileNotFound = 53;
inline constexpr int32_t kPathFileAccess = 75;
inline constexpr int32_t kObjectNotSet = 91;
inline constexpr int32_t kInvalidFileFormat = 321;
inline constexpr int32_t kNoSuchProperty = 438;
inline constexpr int32_t kInvalidPicture = 481;
}  // namespace err

}  // namespace shape
