#pragma once

#include <string>

namespace corvantel::site {

// `corvantel --import PAGE PROJECT.cvp`: reads the navigation of the page (or the addresses of a
// sitemap.xml) into the project's tree. An existing project keeps its settings and gets the new tree in
// place of its old one; otherwise a new project with the default settings is made. A project without a
// site folder gets the page's folder (the imported addresses are relative to it). Both files are saved as the window saves
// them, atomically. Prints what was taken and skipped, then the imported links that name nothing in the
// site folder as warnings, and returns 0; on an error it prints the message, leaves the project files as
// they were, and returns 1.
int runImportCommand(const std::string& pageFile, const std::string& projectFile);

}  // namespace corvantel::site
