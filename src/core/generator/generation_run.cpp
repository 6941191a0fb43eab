#include "core/generator/generation_run.h"

#include "core/error.h"
#include "core/generator/menu_array_writer.h"
#include "core/generator/menu_page_writer.h"
#include "core/generator/output_encoding.h"
#include "core/io/file_io.h"

namespace corvantel::generator {

const std::vector<std::string>& supportFileNames() {
  static const std::vector<std::string> names = {"hierMenus.js", "tri.gif", "triL.gif", "HM_Loader.js"};
  return names;
}

namespace {

bool copyFile(const std::string& source, const std::string& destination) {
  std::optional<std::string> bytes = io::readFileBytes(source);
  if (!bytes) return false;
  try {
    io::writeFileAtomic(destination, *bytes);
  } catch (const Error&) {
    return false;
  }
  return true;
}

}  // namespace

GenerationReport generateFiles(const document::Document& document, const std::string& outputFolder,
                               const std::string& programFolder) {
  GenerationReport report;
  generateFiles(document, outputFolder, programFolder, report);
  return report;
}

void generateFiles(const document::Document& document, const std::string& outputFolder,
                   const std::string& programFolder, GenerationReport& report) {
  const document::ProjectSettings& settings = document.settings();
  const document::MenuTree& tree = document.tree();

  // Everything that can fail before touching the disk (an encoding the system lacks, a tree too large)
  // fails here, with the old files still in place.
  const std::string page = buildMenuPage(settings, tree);
  MenuArrayWriter arrays(settings);
  arrays.buildArrayText(tree);
  const std::string arrayBytes = arrays.encodedText();

  report.encodingWarning = encodingSubstitutionWarning(document::encodingName(settings.encodingIndex));
  const std::string pagePath = io::joinPath(outputFolder, "menu.html");
  report.failed = pagePath;
  io::writeFileAtomic(pagePath, page);
  report.written.push_back(pagePath);

  const std::string arrayPath = io::joinPath(outputFolder, "hierArrays.js");
  report.failed = arrayPath;
  saveArrayFile(arrayPath, arrayBytes);
  report.written.push_back(arrayPath);
  report.failed.clear();

  const std::string dataFolder = io::joinPath(programFolder, "data");
  for (const std::string& name : supportFileNames()) {
    const std::string destination = io::joinPath(outputFolder, name);
    if (copyFile(io::joinPath(dataFolder, name), destination)) {
      report.written.push_back(destination);
    } else {
      report.notCopied.push_back(name);
    }
  }
}

std::string notCopiedWarning(const GenerationReport& report, const std::string& programFolder) {
  if (report.notCopied.empty()) return {};
  std::string names;
  for (const std::string& name : report.notCopied) {
    if (!names.empty()) names += ", ";
    names += name;
  }
  return "These files of the menu script could not be copied from " + io::joinPath(programFolder, "data") +
         ": " + names + ". The menus of the generated page do not work without them.";
}

}  // namespace corvantel::generator
