#include "core/error.h"

namespace corvantel {

std::string fillMessage(std::string pattern, const std::string& value) {
  for (std::size_t i = 0; i + 1 < pattern.size(); ++i) {
    if (pattern[i] == '%' && (pattern[i + 1] == 's' || pattern[i + 1] == 'd')) {
      pattern.replace(i, 2, value);
      break;
    }
  }
  return pattern;
}

}  // namespace corvantel

namespace corvantel {
std::string errorBoxText(const std::string& message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
  return message;
}
}  // namespace corvantel
