#pragma once

#include <string>
#include <vector>

namespace corvantel::site {

// `corvantel --insert PROJECT.cvp PAGE...`: reads the project, puts its menu into the pages (paths relative
// to the project's site folder, or absolute), prints one line per page that changed and per support file
// written, and returns 0. A page that cannot be changed is reported on standard error and the others still
// go; then, as for a project that cannot be read or has no site folder, the return is 1.
int runInsertCommand(const std::string& projectFile, const std::vector<std::string>& pages,
                     const std::string& programFolder);

}  // namespace corvantel::site
