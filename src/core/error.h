#pragma once

#include <stdexcept>
#include <string>

namespace corvantel {

// The one exception type of the core. Its text is the program's own message, already filled in
// ("Cannot create file /tmp/x.cvd"); the application's error handler shows it as it stands.
class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message) : std::runtime_error(message) {}
};

// Replaces the first "%s" (or "%d") of a message pattern with a value.
std::string fillMessage(std::string pattern, const std::string& value);

}  // namespace corvantel

namespace corvantel {
// The text of the application's error box: a full stop is added when the last character's code is
// above the full stop's.
std::string errorBoxText(const std::string& message);
}  // namespace corvantel
