#include "core/document/project_settings.h"

namespace corvantel::document {

const std::vector<std::string>& encodingNames() {
  static const std::vector<std::string> names = {
      "ISO8859-1",    "ISO8859-2",    "ISO8859-3",    "ISO8859-4",    "ISO8859-5",    "ISO8859-6",
      "ISO8859-7",    "ISO8859-8",    "ISO8859-9",    "ISO8859-10",   "Windows-1250", "Windows-1251",
      "Windows-1252", "Windows-1253", "Windows-1254", "Windows-1255", "Windows-1256", "Windows-1257",
      "Windows-1258", "Big5",         "EUC-KR",       "EUC-JP",       "GB2312",       "ISO-2022-KR",
      "ISO-2022-JP",  "ISO-2022-JP-2", "KOI8-R",      "Shift_JIS",    "US-ASCII"};
  return names;
}

std::string encodingName(int index) {
  const auto& names = encodingNames();
  if (index < 0 || index >= static_cast<int>(names.size())) return {};
  return names[static_cast<std::size_t>(index)];
}

}  // namespace corvantel::document
