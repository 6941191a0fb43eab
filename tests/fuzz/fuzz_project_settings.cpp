// Settings files of any content: reading gives settings (defaults where the file says nothing usable),
// and what is read is written and read back unchanged, with other sections kept.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/project/settings_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const corvantel::document::ProjectSettings read = corvantel::project::readSettingsBytes(bytes);
  if (read.encodingIndex < -1 || read.encodingIndex >= 29) std::abort();
  const std::string written = corvantel::project::settingsFileBytes(bytes, read);
  const corvantel::document::ProjectSettings back = corvantel::project::readSettingsBytes(written);
  if (back != read) std::abort();
  return 0;
}
