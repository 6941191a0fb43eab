#pragma once

// How deep the elements of a page nest, estimated before the page is parsed. The HTML5 parser takes time
// that grows with the square of the nesting depth, so a page nested absurdly deep (a broken generator, a
// hostile file) is refused before it reaches the parser.

#include <cstddef>
#include <string_view>

namespace corvantel::site {

// The deepest nesting of the elements of `html` (UTF-8) as the parser would build it, estimated from the
// tags: elements whose end tags may be left out (li, p, td, ...) and void elements do not count, an end
// tag closes what is open inside its element but not across a table or an object (as the parser ignores
// it there), comments and the text of script, style and similar elements are skipped. The scan stops as soon as the depth passes `stopAbove`, and gives that depth then.
std::size_t estimatedNestingDepth(std::string_view html, std::size_t stopAbove);

}  // namespace corvantel::site
