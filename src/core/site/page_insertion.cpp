#include "core/site/page_insertion.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <utility>

#include "core/error.h"
#include "core/generator/generation_run.h"
#include "core/generator/menu_array_writer.h"
#include "core/generator/menu_page_writer.h"
#include "core/generator/output_encoding.h"
#include "core/io/ascii.h"
#include "core/io/file_io.h"
#include "core/io/utf8.h"
#include "core/site/page_markup.h"

namespace corvantel::site {

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kPageSizeLimit = std::size_t(64) << 20;

// The encoding the menu is written in: the page's declaration; without one, UTF-8 when the bytes are valid
// UTF-8, else Windows-1252, which is how browsers read such a page here.
std::string pageEncoding(const PageMarkup& markup, std::string_view page) {
  if (markup.byteOrderMark) return "UTF-8";
  if (!markup.charset.empty()) {
    if (generator::writtenEncoding(markup.charset) != markup.charset) {
      throw Error(fillMessage("The page is declared in %s, which browsers no longer read", markup.charset));
    }
    return markup.charset;
  }
  return io::isValidUtf8(page) ? "UTF-8" : "windows-1252";
}

std::string withLineEnds(std::string text, bool crlf) {
  if (crlf) return text;
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  return out;
}

struct Edit {
  std::size_t start;
  std::size_t end;
  std::string text;
};

std::string nameInSite(const fs::path& relative) { return relative.generic_string(); }

}  // namespace

std::string pageWithMenu(std::string_view page, const document::ProjectSettings& settings,
                         const document::MenuTree& tree, const std::string& pathToSite) {
  const PageMarkup markup = scanPage(page);
  if (markup.bodyStart == kNotFound) throw Error("The page has no <body> tag");
  if (!markup.markersPaired) throw Error("The menu marker comments of the page do not pair up");

  const std::size_t firstNewline = page.find('\n');
  const bool crlf = firstNewline == std::string_view::npos || (firstNewline > 0 && page[firstNewline - 1] == '\r');
  const std::string eol = crlf ? "\r\n" : "\n";
  const generator::MenuPageBlocks blocks =
      generator::buildMenuBlocks(settings, tree, pageEncoding(markup, page), pathToSite);
  const std::string head = eol + withLineEnds(blocks.head, crlf);
  const std::string body = eol + withLineEnds(blocks.body, crlf);

  std::vector<Edit> edits;
  bool headMarked = false;
  bool bodyMarked = false;
  for (const MarkerPair& pair : markup.markers) {
    const bool inHead = pair.start < markup.bodyStart;
    (inHead ? headMarked : bodyMarked) = true;
    edits.push_back({pair.contentStart, pair.contentEnd, inHead ? head : body});
  }
  const std::string start(kMenuStartMarker);
  const std::string end(kMenuEndMarker);
  if (!headMarked) {
    const std::size_t at = markup.headEnd < markup.bodyStart ? markup.headEnd : markup.bodyStart;
    edits.push_back({at, at, start + head + end + eol});
  }
  if (!bodyMarked) edits.push_back({markup.bodyOpenEnd, markup.bodyOpenEnd, eol + start + body + end});
  std::sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) { return a.start < b.start; });

  std::string out;
  out.reserve(page.size() + head.size() + body.size() + 2 * (start.size() + end.size() + 4));
  std::size_t copied = 0;
  for (const Edit& edit : edits) {
    out.append(page.substr(copied, edit.start - copied));
    out += edit.text;
    copied = edit.end;
  }
  out.append(page.substr(copied));
  return out;
}

std::vector<PageChange> preparePages(const document::Document& document, const std::string& siteFolder,
                                     const std::vector<std::string>& pages) {
  std::error_code ec;
  const fs::path site = fs::weakly_canonical(fs::absolute(fs::path(siteFolder), ec), ec);
  std::vector<PageChange> changes;
  changes.reserve(pages.size());
  for (const std::string& given : pages) {
    PageChange change;
    fs::path path(given);
    if (path.is_relative()) path = site / path;
    path = fs::weakly_canonical(path, ec);
    change.path = path.string();
    const fs::path relative = path.lexically_relative(site);
    change.name = relative.empty() ? given : nameInSite(relative);
    if (relative.empty() || *relative.begin() == "..") {
      change.name = given;
      change.error = "not inside the site folder " + siteFolder;
      changes.push_back(std::move(change));
      continue;
    }
    io::ReadResult read = io::readFile(change.path, kPageSizeLimit);
    if (!read.ok()) {
      change.error = read.failure == io::ReadFailure::Missing ? "File not found" : "Cannot read the file";
      changes.push_back(std::move(change));
      continue;
    }
    std::string pathToSite;
    for (auto it = relative.begin(); std::next(it) != relative.end(); ++it) pathToSite += "../";
    try {
      change.bytes = pageWithMenu(read.bytes, document.settings(), document.tree(), pathToSite);
      change.changes = change.bytes != read.bytes;
      if (!change.changes) change.bytes.clear();
    } catch (const Error& e) {
      change.error = e.what();
      change.bytes.clear();
    }
    changes.push_back(std::move(change));
  }
  return changes;
}

InsertionReport writePages(const std::vector<PageChange>& pages, const document::Document& document,
                           const std::string& siteFolder, const std::string& programFolder) {
  InsertionReport report;
  generator::MenuArrayWriter arrays(document.settings());
  arrays.buildArrayText(document.tree());
  std::vector<std::pair<std::string, std::optional<std::string>>> support;
  support.emplace_back("hierArrays.js", arrays.encodedText());
  const std::string dataFolder = io::joinPath(programFolder, "data");
  for (const std::string& name : generator::supportFileNames()) {
    support.emplace_back(name, io::readFileBytes(io::joinPath(dataFolder, name)));
  }
  for (const auto& [name, bytes] : support) {
    const std::string destination = io::joinPath(siteFolder, name);
    if (!bytes) {
      report.notCopied.push_back(name);
      continue;
    }
    if (io::readFileBytes(destination) == bytes) continue;
    try {
      io::writeFileAtomic(destination, *bytes);
      report.supportWritten.push_back(destination);
    } catch (const Error&) {
      report.notCopied.push_back(name);
    }
  }

  for (const PageChange& page : pages) {
    if (!page.error.empty()) {
      report.failed.push_back(page.name + ": " + page.error);
    } else if (!page.changes) {
      report.unchanged.push_back(page.name);
    } else {
      try {
        io::writeFileAtomic(page.path, page.bytes);
        report.changed.push_back(page.name);
      } catch (const Error& e) {
        report.failed.push_back(page.name + ": " + e.what());
      }
    }
  }
  return report;
}

InsertionReport insertMenu(const document::Document& document, const std::string& siteFolder,
                           const std::vector<std::string>& pages, const std::string& programFolder) {
  return writePages(preparePages(document, siteFolder, pages), document, siteFolder, programFolder);
}

}  // namespace corvantel::site
