#include "core/project/settings_file.h"

#include <filesystem>
#include <limits>

#include "core/error.h"
#include "core/ini/ini_file.h"
#include "core/io/file_io.h"
#include "core/io/ascii.h"

namespace corvantel::project {

namespace {

std::optional<std::int32_t> parseHex(std::string_view digits) {
  if (digits.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (char c : digits) {
    int d = io::hexDigitValue(c);
    if (d < 0) return std::nullopt;
    value = value * 16 + static_cast<std::uint64_t>(d);
    if (value > 0xFFFFFFFFull) return std::nullopt;
  }
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

// One key of the settings file and the setting it holds.
struct Key {
  const char* name;
  enum Kind { Integer, Flag, Text, Encoding, Type } kind;
  std::int32_t document::ProjectSettings::*integer = nullptr;
  bool document::ProjectSettings::*flag = nullptr;
  std::string document::ProjectSettings::*text = nullptr;
};

// The keys in the order a new settings file lists them.
const Key kKeys[] = {
    {"BGColor", Key::Integer, &document::ProjectSettings::bgColor},
    {"FontColor", Key::Integer, &document::ProjectSettings::fontColor},
    {"BorderColor", Key::Integer, &document::ProjectSettings::borderColor},
    {"FontColorOver", Key::Integer, &document::ProjectSettings::fontColorOver},
    {"BGColorOver", Key::Integer, &document::ProjectSettings::bgColorOver},
    {"Title", Key::Text, nullptr, nullptr, &document::ProjectSettings::pageTitle},
    {"Author", Key::Text, nullptr, nullptr, &document::ProjectSettings::pageAuthor},
    {"EncodingIndex", Key::Encoding},
    {"FontBold", Key::Flag, nullptr, &document::ProjectSettings::fontBold},
    {"FontItalic", Key::Flag, nullptr, &document::ProjectSettings::fontItalic},
    {"SeparatorColor", Key::Integer, &document::ProjectSettings::separatorColor},
    {"MenuWidth", Key::Integer, &document::ProjectSettings::menuWidth},
    {"ItemPadding", Key::Integer, &document::ProjectSettings::itemPadding},
    {"BorderWidth", Key::Integer, &document::ProjectSettings::borderWidth},
    {"FontFamily", Key::Text, nullptr, nullptr, &document::ProjectSettings::fontFamily},
    {"SeparatorSize", Key::Integer, &document::ProjectSettings::separatorSize},
    {"KeepHilite", Key::Flag, nullptr, &document::ProjectSettings::keepHilite},
    {"X", Key::Integer, &document::ProjectSettings::xPos},
    {"Y", Key::Integer, &document::ProjectSettings::yPos},
    {"MenuType", Key::Type},
};

// Optional keys: read like the others, but written only when they hold a value or the file has them
// already, so that a project that does not use them keeps the settings file it always had.
const Key kOptionalKeys[] = {
    {"SiteFolder", Key::Text, nullptr, nullptr, &document::ProjectSettings::siteFolder},
};

document::MenuType menuTypeFromNumber(std::int32_t n) {
  if (n == 1) return document::MenuType::TableMenu;
  if (n == 2) return document::MenuType::TableRelative;
  return document::MenuType::JSMenu;
}

// A text value as it goes into the file. The reader drops blanks around a value and one pair of quotation
// marks enclosing it, so a text that begins or ends with a blank or a quotation mark is written inside
// double quotation marks, which the reader takes off again. A line break would end the value's line; it
// is written as a blank.
std::string textValue(std::string text) {
  for (char& c : text) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  if (text.empty()) return text;
  auto special = [](char c) { return ini::isIniBlank(c) || c == '"' || c == '\''; };
  if (special(text.front()) || special(text.back())) return '"' + text + '"';
  return text;
}

int encodingFromNumber(std::int32_t n) {
  return n >= 0 && n < static_cast<std::int32_t>(document::encodingNames().size()) ? n : document::kNoEncoding;
}

}  // namespace

std::optional<std::int32_t> parseIniInteger(std::string_view text) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) return parseHex(text.substr(2));
  if (!text.empty() && text[0] == '$') return parseHex(text.substr(1));
  return io::parseInt32(text);
}

document::ProjectSettings settingsFileDefaults() {
  document::ProjectSettings defaults;
  defaults.yPos = 0;
  return defaults;
}

document::ProjectSettings readSettingsBytes(std::string bytes) {
  const ini::IniFile file(std::move(bytes));
  document::ProjectSettings s = settingsFileDefaults();
  for (const Key& key : kOptionalKeys) {
    if (std::optional<std::string> value = file.value(kSettingsSection, key.name)) s.*key.text = std::move(*value);
  }
  for (const Key& key : kKeys) {
    std::optional<std::string> value = file.value(kSettingsSection, key.name);
    if (!value) continue;
    if (key.kind == Key::Text) {
      s.*key.text = std::move(*value);
      continue;
    }
    std::optional<std::int32_t> n = parseIniInteger(*value);
    switch (key.kind) {
      case Key::Integer:
        if (n) s.*key.integer = *n;
        break;
      case Key::Flag:
        if (n) s.*key.flag = *n != 0;
        break;
      case Key::Encoding:
        if (n) s.encodingIndex = encodingFromNumber(*n);
        break;
      case Key::Type:
        s.menuType = menuTypeFromNumber(n.value_or(0));
        break;
      case Key::Text:
        break;
    }
  }
  return s;
}

document::ProjectSettings readSettingsFile(const std::string& path) {
  io::ReadResult read = io::readFile(path);
  if (read.failure == io::ReadFailure::Missing) return settingsFileDefaults();
  if (!read.ok()) throw Error(fillMessage("Cannot open file %s", path));
  return readSettingsBytes(std::move(read.bytes));
}

std::string settingsFileBytes(std::string existing, const document::ProjectSettings& s) {
  ini::IniFile file(std::move(existing));
  for (const Key& key : kKeys) {
    std::string value;
    switch (key.kind) {
      case Key::Integer:
        value = std::to_string(s.*key.integer);
        break;
      case Key::Flag:
        value = std::string(1, s.*key.flag ? '1' : '0');
        break;
      case Key::Text:
        value = textValue(s.*key.text);
        break;
      case Key::Encoding:
        value = std::to_string(encodingFromNumber(s.encodingIndex));
        break;
      case Key::Type:
        value = std::to_string(static_cast<int>(s.menuType));
        break;
    }
    file.setValue(kSettingsSection, key.name, value);
  }
  for (const Key& key : kOptionalKeys) {
    const std::string& text = s.*key.text;
    if (!text.empty() || file.value(kSettingsSection, key.name)) file.setValue(kSettingsSection, key.name, textValue(text));
  }
  return file.bytes();
}

std::string siteFolderPath(const document::ProjectSettings& settings, const std::string& settingsFile) {
  if (settings.siteFolder.empty()) return {};
  namespace fs = std::filesystem;
  const fs::path folder(settings.siteFolder);
  if (folder.is_absolute()) return folder.lexically_normal().string();
  return (fs::absolute(fs::path(settingsFile)).parent_path() / folder).lexically_normal().string();
}

std::string storedSiteFolder(const std::string& folder, const std::string& settingsFile) {
  if (folder.empty()) return {};
  namespace fs = std::filesystem;
  fs::path target = fs::absolute(fs::path(folder)).lexically_normal();
  if (!target.has_filename() && target != target.root_path()) target = target.parent_path();  // "site/"
  if (settingsFile.empty()) return target.string();
  const fs::path base = fs::absolute(fs::path(settingsFile)).parent_path().lexically_normal();
  const fs::path relative = target.lexically_relative(base);
  return relative.empty() ? target.string() : relative.string();
}

}  // namespace corvantel::project
