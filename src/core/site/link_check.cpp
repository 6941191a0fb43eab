#include "core/site/link_check.h"

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <unordered_map>

#include "core/error.h"
#include "core/io/ascii.h"

namespace corvantel::site {

namespace fs = std::filesystem;

namespace {

bool hasScheme(std::string_view address) {
  if (address.empty() || !io::isAsciiLetter(address.front())) return false;
  for (char c : address) {
    if (c == ':') return true;
    if (!(io::isAsciiLetter(c) || io::isAsciiDigit(c) || c == '+' || c == '-' || c == '.')) return false;
  }
  return false;
}

// The entries of the site's folders, read once per folder: name -> is a folder. A folder that cannot
// be listed has no entries.
class SiteListing {
 public:
  explicit SiteListing(fs::path root) : m_root(std::move(root)) {}

  // Whether `name` is an entry of the folder `folder` (relative to the root, "" for the root); with
  // `folderWanted` it must be a folder.
  bool has(const std::string& folder, const std::string& name, bool folderWanted) {
    auto [it, added] = m_folders.try_emplace(folder);
    if (added) read(folder, it->second);
    auto entry = it->second.find(name);
    return entry != it->second.end() && (!folderWanted || entry->second);
  }

 private:
  void read(const std::string& folder, std::unordered_map<std::string, bool>& entries) const {
    std::error_code error;
    fs::directory_iterator it(folder.empty() ? m_root : m_root / folder, error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
      std::error_code typeError;
      entries.emplace(it->path().filename().string(), it->is_directory(typeError));
    }
  }

  fs::path m_root;
  std::unordered_map<std::string, std::unordered_map<std::string, bool>> m_folders;
};

// Checks one path from localPath(); nothing when it names an entry inside the site.
std::optional<LinkProblem> checkPath(const std::string& path, SiteListing& listing) {
  std::vector<std::string> segments;
  std::size_t start = 0;
  while (start <= path.size()) {
    std::size_t end = path.find_first_of("/\\", start);
    if (end == std::string::npos) end = path.size();
    std::string segment = io::percentDecoded(std::string_view(path).substr(start, end - start));
    if (segment == "..") {
      if (segments.empty()) return LinkProblem::OutsideSite;
      segments.pop_back();
    } else if (!segment.empty() && segment != ".") {
      segments.push_back(std::move(segment));
    }
    start = end + 1;
  }
  // "page.html/" asks for a folder; so does every segment but the last.
  const bool lastIsFolder = !path.empty() && (path.back() == '/' || path.back() == '\\');
  std::string folder;
  for (std::size_t i = 0; i < segments.size(); ++i) {
    const bool last = i + 1 == segments.size();
    if (!listing.has(folder, segments[i], !last || lastIsFolder)) return LinkProblem::Missing;
    if (!folder.empty()) folder.push_back('/');
    folder += segments[i];
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> localPath(std::string_view address) {
  const std::string_view blanks = " \t\r\n\f";
  const std::size_t first = address.find_first_not_of(blanks);
  if (first == std::string_view::npos) return std::nullopt;
  address = address.substr(first, address.find_last_not_of(blanks) - first + 1);
  if (address.front() == '#') return std::nullopt;
  if (hasScheme(address)) return std::nullopt;
  if (address.size() >= 2 && (address[0] == '/' || address[0] == '\\') && (address[1] == '/' || address[1] == '\\'))
    return std::nullopt;
  return std::string(address.substr(0, address.find_first_of("?#")));
}

std::vector<BrokenLink> checkLinks(const document::MenuTree& tree, const std::string& siteFolder) {
  std::error_code error;
  if (siteFolder.empty() || !fs::is_directory(siteFolder, error))
    throw Error(fillMessage("The site folder %s does not exist", siteFolder));
  SiteListing listing{fs::path(siteFolder)};
  std::vector<BrokenLink> broken;
  std::vector<const document::MenuItem*> line;  // the item and those above it, by depth
  tree.forEach([&](const document::MenuItem& item, int depth) {
    line.resize(static_cast<std::size_t>(depth));
    line.push_back(&item);
    std::string address = document::extractUrl(item.text());
    std::optional<std::string> path = localPath(address);
    if (!path) return;
    std::optional<LinkProblem> problem = checkPath(*path, listing);
    if (!problem) return;
    std::string captions;
    for (const document::MenuItem* step : line) {
      if (!captions.empty()) captions += " > ";
      captions += document::extractTitle(step->text());
    }
    broken.push_back({&item, std::move(address), std::move(captions), *problem});
  });
  return broken;
}

const char* problemText(LinkProblem problem) {
  return problem == LinkProblem::OutsideSite ? "The address leads outside the site folder"
                                             : "No such file or folder in the site folder";
}

void printBrokenLinkWarnings(const document::MenuTree& tree, const std::string& siteFolder) {
  if (siteFolder.empty()) return;
  try {
    for (const BrokenLink& link : checkLinks(tree, siteFolder)) {
      std::fprintf(stderr, "corvantel: warning: %s: %s: %s\n", link.captionPath.c_str(), link.address.c_str(),
                   problemText(link.problem));
    }
  } catch (const Error& e) {
    std::fprintf(stderr, "corvantel: warning: %s\n", e.what());
  }
}

}  // namespace corvantel::site
