#include "core/generator/menu_page_writer.h"

#include "core/generator/generator_text.h"
#include "core/generator/output_encoding.h"
#include "core/io/file_io.h"

namespace corvantel::generator {

namespace {

// Collects the page's lines in the output encoding.
class PageText {
 public:
  explicit PageText(const std::string& encodingName) : m_encoding(encodingName) {}

  const std::string& charset() const { return m_encoding.charsetName(); }

  PageText& operator<<(std::string_view text) {
    m_encoding.append(m_out, text, Unencodable::CharacterReference);
    return *this;
  }
  // Text that lands inside a script string.
  PageText& script(std::string_view text) {
    m_encoding.append(m_out, text, Unencodable::ScriptEscape);
    return *this;
  }
  PageText& endLine() {
    m_encoding.append(m_out, "\r\n", Unencodable::CharacterReference);
    return *this;
  }
  void line(std::string_view text) { (*this << text).endLine(); }

  std::string take() {
    m_encoding.finish(m_out);
    return std::move(m_out);
  }

 private:
  OutputEncoding m_encoding;
  std::string m_out;
};

// A value inside a script string of the page: quotes and backslashes escaped, and "<" written as \x3C so that
// no "</script>" ends the script early; line ends escaped so that the string stays on its line.
std::string pageScriptString(std::string_view text) {
  std::string out;
  for (char c : escapeQuotes(text)) {
    if (c == '<') {
      out += "\\x3C";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else {
      out += c;
    }
  }
  return out;
}

const char* yesNo(bool value) { return value ? "true;" : "false;"; }

std::string hexColor(document::Color color) { return "\"#" + colorToHex(color) + "\";"; }

// An address of the tree as seen from a page `pathToSite` away from the site's folder: a relative path gets the
// prefix, an address with a scheme, an absolute path, a fragment or a query stays as written.
std::string addressFromPage(const std::string& address, const std::string& pathToSite) {
  if (pathToSite.empty() || address.empty() || address[0] == '/' || address[0] == '#' || address[0] == '?') {
    return address;
  }
  for (char c : address) {
    if (c == ':') return address;
    if (c == '/' || c == '?' || c == '#') break;
  }
  return pathToSite + address;
}

void writeLinkLine(PageText& page, const document::MenuItem& item, int position, const std::string& pathToSite) {
  const std::string caption = document::extractTitle(item.text());
  const std::string address = addressFromPage(document::extractUrl(item.text()), pathToSite);
  page << "    <A ";
  if (address.empty()) {
    page << "href=\"\" onClick=\"return false;\"";
  } else {
    page << "href=\"" << quoteAttribute(address) << "\"";
  }
  page << " ";
  if (item.hasChildren()) {
    const std::string n = std::to_string(position);
    page << "onMouseOver=\"popUp('elMenu" << n << "',event)\" onMouseOut=\"popDown('elMenu" << n << "')\" ";
  }
  page << "class=\"navbar\">" << caption << "</a> |";
  page.endLine();
}

// The style and the two scripts of the head: the pop-up stand-ins and the in-page parameters.
void writeHeadBlock(PageText& page, const document::ProjectSettings& s, const std::string& pathToSite) {
  const bool table = s.isTableType();
  if (table) {
    page.line("<STYLE TYPE=\"text/css\">");
    page.line(" .navbar {color : #FFFFFF; text-decoration : none}");
    page.line("</STYLE>");
  }
  page.line("<SCRIPT LANGUAGE=\"JavaScript\" TYPE=\"text/javascript\">");
  page.line("<!--");
  page.line("if(window.event + \"\" == \"undefined\") event = null;");
  page.line("function HM_f_PopUp(){return};");
  page.line("function HM_f_PopDown(){return};");
  page.line("popUp = HM_f_PopUp;");
  page.line("popDown = HM_f_PopDown;");
  page.line("//-->");
  page.line("</SCRIPT>");
  page.line("<SCRIPT LANGUAGE=\"JavaScript1.2\">");
  page.line("<!--");
  page.line("/" + std::string(75, '*'));
  page.line(std::string(7, '\t') + "IN-PAGE PARAMETERS");
  page.line(std::string(75, '*') + "/");
  page.line("");
  page.line("HM_PG_MenuWidth = " + std::to_string(s.menuWidth) + ";");
  (page << "HM_PG_FontFamily = \"").script(pageScriptString(s.fontFamily)) << "\";";
  page.endLine();
  page.line("HM_PG_FontSize = 10;");
  page.line(std::string("HM_PG_FontBold = ") + yesNo(s.fontBold));
  page.line(std::string("HM_PG_FontItalic =") + yesNo(s.fontItalic));
  page.line("HM_PG_FontColor = " + hexColor(s.fontColor));
  page.line("HM_PG_FontColorOver = " + hexColor(s.fontColorOver));
  page.line("HM_PG_BGColor = " + hexColor(s.bgColor));
  page.line("HM_PG_BGColorOver = " + hexColor(s.bgColorOver));
  page.line("HM_PG_ItemPadding = " + std::to_string(s.itemPadding) + ";");
  page.line("");
  page.line("HM_PG_BorderWidth = " + std::to_string(s.borderWidth) + ";");
  page.line("HM_PG_BorderColor = " + hexColor(s.borderColor));
  page.line("HM_PG_BorderStyle = \"solid\";");
  page.line("HM_PG_SeparatorSize = " + std::to_string(s.separatorSize) + ";");
  page.line("HM_PG_SeparatorColor = " + hexColor(s.separatorColor));
  (page << "HM_PG_ImageSrc = \"").script(pageScriptString(pathToSite + "tri.gif")) << "\";";
  page.endLine();
  page.line("HM_PG_ImageSize = 5;");
  page.line("HM_PG_ImageHorizSpace = 0;");
  page.line("HM_PG_ImageVertSpace =0;");
  page.line("");
  page.line(std::string("HM_PG_KeepHilite = ") + yesNo(s.keepHilite));
  page.line("HM_PG_ClickStart = 0;");
  page.line("HM_PG_ClickKill = true;");
  page.line("HM_PG_ChildOverlap = 20;");
  page.line("HM_PG_ChildOffset = 10;");
  page.line("HM_PG_ChildPerCentOver = null;");
  page.line("HM_PG_TopSecondsVisible = .5;");
  page.line("HM_PG_StatusDisplayBuild =1;");
  page.line("HM_PG_StatusDisplayLink = 1;");
  page.line("HM_PG_UponDisplay = null;");
  page.line("HM_PG_UponHide = null;");
  page.line("");
  page.line("HM_PG_RightToLeft = false;");
  page.line("");
  page.line("//HM_a_TreesToBuild = [];");
  page.line("");
  page.line("//-->");
  page.line("</SCRIPT>");
}

// For the table menu types, the row of links made of the top-level items.
void writeLinkRow(PageText& page, const document::ProjectSettings& s, const document::MenuTree& tree,
                  const std::string& pathToSite) {
  const bool table = s.isTableType();
  if (table) {
    page.line("<TABLE width=\"100%\"border=\"0\" cellspacing=\"0\" cellpadding=\"0\" vspace=\"0\" hspace=\"0\" "
              "BGCOLOR=\"#000000\">");
    page.line("  <TR>");
    page.line("    <TD width=\"100%\" valign=\"bottom\" height=19><font color=\"#FFFFFF\"><span>&nbsp;&nbsp;");
    if (const document::MenuItem* root = tree.root()) {
      int position = 0;
      for (const auto& item : root->children()) writeLinkLine(page, *item, ++position, pathToSite);
    }
    page.line("</SPAN></FONT></TD>");
    page.line("  </TR>");
    page.line("</TABLE>");
  }
}

void writeLoaderLine(PageText& page, const std::string& pathToSite) {
  page << "<SCRIPT LANGUAGE=\"JavaScript1.2\" SRC=\"" << quoteAttribute(pathToSite + "HM_Loader.js")
       << "\" TYPE='text/javascript'></SCRIPT>";
  page.endLine();
}

}  // namespace

std::string buildMenuPage(const document::ProjectSettings& s, const document::MenuTree& tree) {
  PageText page(document::encodingName(s.encodingIndex));

  page.line("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Final//EN\">");
  page.line("<HTML>");
  page.line("<HEAD>");
  page.line("<META NAME=\"Generator\" CONTENT=\"Ombrel Corvantel 2.0.0.0\">");
  (page << "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=" << page.charset() << "\">").endLine();
  (page << "<META NAME=\"Author\" CONTENT=\"" << quoteAttribute(s.pageAuthor) << "\">").endLine();
  (page << "<TITLE>" << s.pageTitle << "</TITLE>").endLine();
  writeHeadBlock(page, s, "");
  page.line("</HEAD>");
  page.line("<BODY>");
  writeLinkRow(page, s, tree, "");
  page.line("<!-- Your text goes here -->");
  writeLoaderLine(page, "");
  page.line(std::string("<HR><SMALL>Created using <A href=\"") + kMakerHomePage +
            "\">Corvantel 2</A>. The menu script is &copy; Corvantel, see <A href=\"" + kMenuScriptPublisherSite +
            "\">its home page</A>.</SMALL>");
  page.line("</BODY>");
  return page.take();
}

MenuPageBlocks buildMenuBlocks(const document::ProjectSettings& settings, const document::MenuTree& tree,
                               const std::string& encodingName, const std::string& pathToSite) {
  MenuPageBlocks blocks;
  PageText head(encodingName);
  writeHeadBlock(head, settings, pathToSite);
  blocks.head = head.take();
  PageText body(encodingName);
  writeLinkRow(body, settings, tree, pathToSite);
  writeLoaderLine(body, pathToSite);
  blocks.body = body.take();
  return blocks;
}

void writeMenuPage(const std::string& path, const document::ProjectSettings& settings, const document::MenuTree& tree) {
  io::writeFileAtomic(path, buildMenuPage(settings, tree));
}

}  // namespace corvantel::generator
