#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/document/project_settings.h"

namespace corvantel::project {

// The section that holds every key of a project's settings file.
inline constexpr std::string_view kSettingsSection = "Settings";

// An integer value of a settings file: "0x"/"0X" followed by hexadecimal digits (only when the value is
// longer than two characters), "$" followed by hexadecimal digits, or a decimal number with an optional
// sign. Hexadecimal values are 32-bit patterns ("$FFFFFFFF" is -1). Nothing when the text is none of these
// or does not fit in 32 bits.
std::optional<std::int32_t> parseIniInteger(std::string_view text);

// The settings a settings file gives when it lacks a key: a new project's values, except Y, which is 0.
document::ProjectSettings settingsFileDefaults();

// Reads the settings of the project whose settings file is `path`. A file that does not exist, a missing
// key or a value that is not a number give the defaults key by key. A file that exists but cannot be read
// (no permission, a folder, a named pipe, a device) throws corvantel::Error("Cannot open file <path>").
document::ProjectSettings readSettingsFile(const std::string& path);
// The same, from the bytes of a settings file.
document::ProjectSettings readSettingsBytes(std::string bytes);

// The bytes of a settings file after writing the 20 keys (and SiteFolder, when it is set or the file has it) of `settings` into `existing` (the old file's
// bytes, empty for a new file): other sections and keys stay as they were, a new file lists the keys in
// their fixed order under "[Settings]".
std::string settingsFileBytes(std::string existing, const document::ProjectSettings& settings);

// The site folder of `settings` as a full path, the stored relative form taken from the folder of the
// settings file `settingsFile`; empty when the project has no site folder.
std::string siteFolderPath(const document::ProjectSettings& settings, const std::string& settingsFile);
// How `folder` is stored in the settings file `settingsFile`: relative to that file's folder ("site",
// "../site"), or absolute when the project has no file yet; empty for an empty folder.
std::string storedSiteFolder(const std::string& folder, const std::string& settingsFile);

}  // namespace corvantel::project
