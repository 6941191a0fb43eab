#include <gtest/gtest.h>

#include "core/io/path_shortening.h"

using namespace corvantel;

namespace {
std::string win(std::string_view path) { return io::shortenPath(path, 50, '\\'); }
}  // namespace

TEST(PathShortening, ExamplesWithBackslashes) {
  EXPECT_EQ(win("C:\\Program Files\\Some Vendor\\Product Name\\Data\\Output"),
            "C:\\...\\Some Vendor\\Product Name\\Data\\Output");
  const std::string fifty = "C:\\" + std::string(20, 'a') + "\\" + std::string(26, 'b');
  ASSERT_EQ(fifty.size(), 50u);
  EXPECT_EQ(win(fifty), fifty);
  // 51 characters with two backslashes after the second character: shortened.
  const std::string twoMore = "C:\\" + std::string(20, 'a') + "\\" + std::string(27, 'b');
  EXPECT_EQ(win(twoMore), "C:\\...\\" + std::string(27, 'b'));
  // 51 characters with only one backslash after the second character: cut.
  const std::string oneMore = "C:" + std::string(20, 'a') + "\\" + std::string(28, 'b');
  EXPECT_EQ(win(oneMore), oneMore.substr(0, 50));
  EXPECT_EQ(win(std::string(60, 'x')), std::string(50, 'x'));
}

TEST(PathShortening, ALastNameThatDoesNotFitIsCutTo50) {
  const std::string path = "C:\\dir\\" + std::string(60, 'n');
  const std::string shown = win(path);
  EXPECT_EQ(shown, ("C:\\...\\" + std::string(60, 'n')).substr(0, 47) + "...");
  EXPECT_EQ(shown.size(), 50u);
}

TEST(PathShortening, NetworkPathsKeepTheServer) {
  const std::string path = "\\\\server\\share\\projects\\2024\\customer\\website\\menus\\out";
  ASSERT_GT(path.size(), 50u);
  EXPECT_EQ(win(path), "\\\\server\\...\\2024\\customer\\website\\menus\\out");
}

TEST(PathShortening, PlatformSeparatorAndCharactersNotBytes) {
  const std::string fifty = "/srv/" + std::string(39, 'a') + "/menus";
  EXPECT_EQ(io::shortenPath(fifty, 50), fifty);
  // The leading separator of an absolute path stays; it is not taken for half of a network prefix.
  EXPECT_EQ(io::shortenPath("/home/someone/projects/websites/customer/generated/menus", 50),
            "/home/.../websites/customer/generated/menus");
  EXPECT_EQ(win("\\top\\level\\folder\\with\\a\\rather\\long\\name\\beyond\\fifty"),
            "\\top\\...\\with\\a\\rather\\long\\name\\beyond\\fifty");
  // Twenty two-byte characters count as twenty characters.
  std::string accented;
  for (int i = 0; i < 20; ++i) accented += "\xC3\xA9";
  const std::string path = "/data/" + accented + "/" + accented + "/x";
  EXPECT_EQ(io::shortenPath(path, 50), path);  // 49 characters, 89 bytes
  EXPECT_EQ(io::shortenPath(accented + accented + accented, 50).size(), 100u);  // no separator: 50 characters
  EXPECT_EQ(io::shortenPath("abc/def/ghi", 5), "abc/d");
}
