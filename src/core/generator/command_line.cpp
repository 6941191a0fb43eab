// The headless generator: `corvantel --generate OUTPUT-FOLDER PROJECT.cvp`.
#include <cstdio>
#include <string>

int runGenerateCommand(const std::string& /*outputFolder*/, const std::string& /*projectFile*/,
                       const std::string& /*programFolder*/) {
  std::fputs("corvantel: the generator is not built yet\n", stderr);
  return 1;
}
