#pragma once

#include <QString>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "gui/widgets/help_display.h"
#include "support/core/temp_dir.h"

namespace corvantel::test {

// The help file the build laid out beside the program.
inline std::string builtHelpFile() { return std::string(CORVANTEL_PROGRAM_DIR) + "/Corvantel.chm"; }

// Copies the built help file to `folder` (created when missing) and returns the copy's path.
inline std::string copyHelpFileTo(const std::string& folder) {
  std::filesystem::create_directories(folder);
  std::string copy = folder + "/Corvantel.chm";
  std::filesystem::copy_file(builtHelpFile(), copy, std::filesystem::copy_options::overwrite_existing);
  return copy;
}

// A viewer that records what it is asked for.
class RecordingHelpDisplay : public gui::HelpDisplay {
 public:
  struct Request {
    QString path;
    int context = 0;
  };

  bool available() const override { return isAvailable; }
  bool showContext(const QString& helpPath, int context) override {
    requests.push_back({helpPath, context});
    return canRead;
  }
  void closeAll() override { ++closeAllCalls; }

  std::vector<int> contexts() const {
    std::vector<int> out;
    for (const Request& r : requests) out.push_back(r.context);
    return out;
  }

  bool isAvailable = true;
  bool canRead = true;
  std::vector<Request> requests;
  int closeAllCalls = 0;
};

}  // namespace corvantel::test
