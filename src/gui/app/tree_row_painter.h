#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <cstdint>
#include <span>

#include "core/tree/tree_row_drawing.h"

class QPainter;
class QPalette;

namespace corvantel::gui {

class TreeImages;

// Everything the painting of one row of the item tree reads.
struct TreeRowPaintState {
  // The full row: the tree's left edge to its right edge, the row's top to its bottom. Its left edge is
  // where level 0 starts (it moves left when the tree is scrolled sideways).
  QRect rowRect;
  // The part of the row that is filled; defaults to rowRect when empty.
  QRect fillRect;
  int level = 0;
  int indent = 19;
  int buttonHalfSize = 4;
  bool hasChildren = false;
  bool expanded = false;
  bool hasNextSibling = false;
  std::span<const std::uint8_t> ancestorHasNextSibling;  // parent first, see TreeRowInput
  QString text;                                          // the whole item text, caption TAB address
  int imageIndex = -1;
  const TreeImages* images = nullptr;  // nullptr: the tree's default list
  QFont font;
  QColor fillColor;  // the row colour: the highlight colour for a selected row, else the tree's background
  QColor textColor;
  // The lines and the box outline; when not set, treeLineColor() of the painted widget's palette (of the
  // application's palette when the painter draws on an image).
  QColor lineColor;
  // Draws the warning sign after the caption (an item whose link the check found broken).
  bool warning = false;
};

// The colour of the tree's lines: half way between the tree's text and its background, the classic grey
// (128, 128, 128) with black text on white, a lighter grey on a dark background.
QColor treeLineColor(const QPalette& palette);

// The row height that fits the pictures and the caption in `font`.
int treeRowHeight(const QFont& font);

// Paints one row: the row fill, the lines, the plus/minus box, the picture and the caption alone (the
// address after the tab never shows). On a high-density surface the lines and the box outline stay one
// device pixel wide. `geometry` is scratch storage that callers painting many rows reuse.
void paintTreeRow(QPainter& painter, const TreeRowPaintState& state, tree::TreeRowGeometry& geometry);
void paintTreeRow(QPainter& painter, const TreeRowPaintState& state);

}  // namespace corvantel::gui
