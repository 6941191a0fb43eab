// The executable: the window program, and the headless command-line generator (which needs the core only).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/generator/command_line.h"
#include "core/ini/program_settings.h"
#include "core/site/import_command.h"
#include "core/site/insert_command.h"
#include "corvantel_version.h"

#ifndef CORVANTEL_NO_GUI
#include <QStringList>

#include "gui/app/corvantel_application.h"
#include "gui/app/main_window.h"
#include "gui/app/qt_user_prompts.h"
#include "gui/app/startup.h"
#endif

namespace {

const char* kUsage = "Usage: corvantel [-debug] [PROJECT.cvp]\n"
                     "       corvantel --generate OUTPUT-FOLDER PROJECT.cvp\n"
                     "       corvantel --insert PROJECT.cvp PAGE...\n"
                     "       corvantel --import PAGE.html PROJECT.cvp\n"
                     "       corvantel --help | --version\n";

void printHelp() {
  std::printf(
      "Corvantel %s - drop-down menus for web pages, without writing script code.\n\n"
      "%s\n"
      "  PROJECT.cvp                       open this project at start-up (the first argument that is\n"
      "                                    not a switch)\n"
      "  --generate OUTPUT-FOLDER PROJECT  write menu.html, hierArrays.js and the menu script into\n"
      "                                    OUTPUT-FOLDER (which must exist) without opening a window\n"
      "  --insert PROJECT PAGE...          put the project's menu into these pages of its site folder\n"
      "                                    (paths relative to the site folder, or absolute) between\n"
      "                                    marker comments, copy the menu's files there and print the\n"
      "                                    pages that changed\n"
      "  --import PAGE PROJECT             read the navigation of PAGE (an HTML page or a sitemap.xml)\n"
      "                                    into the project's tree: an existing project keeps its\n"
      "                                    settings, a new one gets the defaults; without a site\n"
      "                                    folder, PAGE's folder becomes it; print what was taken\n"
      "                                    and skipped\n"
      "  --help                            show this text and exit\n"
      "  --version                         show the version and exit\n"
      "  -debug, /debug                    switch (any letter case, anywhere on the line): write the\n"
      "                                    help diagnostic log HelpDebug.txt; never a project name\n",
      corvantel::kVersion, kUsage);
}

bool isHelpDebugSwitch(const std::string& arg) {
  return strcasecmp(arg.c_str(), "-debug") == 0 || strcasecmp(arg.c_str(), "/debug") == 0;
}

#ifndef CORVANTEL_NO_GUI
bool displayAvailable() {
  auto set = [](const char* name) {
    const char* v = std::getenv(name);
    return v && *v;
  };
  return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
}
#endif

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (!args.empty()) {
    const std::string& first = args.front();
    if (first == "--help" || first == "-h") {
      printHelp();
      return 0;
    }
    if (first == "--version") {
      std::printf("Corvantel %s\n", corvantel::kVersion);
      return 0;
    }
    if (first == "--generate") {
      if (args.size() != 3) {
        std::fputs(kUsage, stderr);
        return 2;
      }
      return corvantel::generator::runGenerateCommand(args[1], args[2], corvantel::ini::findProgramFolder(argv[0]));
    }
    if (first == "--insert") {
      if (args.size() < 3) {
        std::fputs(kUsage, stderr);
        return 2;
      }
      return corvantel::site::runInsertCommand(args[1], std::vector<std::string>(args.begin() + 2, args.end()),
                                               corvantel::ini::findProgramFolder(argv[0]));
    }
    if (first == "--import") {
      if (args.size() != 3) {
        std::fputs(kUsage, stderr);
        return 2;
      }
      return corvantel::site::runImportCommand(args[1], args[2]);
    }
    for (const std::string& a : args) {
      if (a.size() > 1 && a[0] == '-' && !isHelpDebugSwitch(a)) {
        std::fprintf(stderr, "corvantel: unknown option '%s'\n%s", a.c_str(), kUsage);
        return 2;
      }
    }
  }

#ifdef CORVANTEL_NO_GUI
  std::fputs("This build of Corvantel has no window program; use --generate.\n", stderr);
  return 1;
#else
  if (!displayAvailable()) {
    std::fputs(
        "corvantel: no display is available. Start it from a desktop session, or under a virtual display\n"
        "with `xvfb-run -a corvantel`, or generate a project without a window:\n"
        "  corvantel --generate OUTPUT-FOLDER PROJECT.cvp\n",
        stderr);
    return 1;
  }
  return corvantel::gui::runProgram(argc, argv, corvantel::ini::findProgramFolder(argv[0]));
#endif
}
