#pragma once

#include <QImage>
#include <QPixmap>
#include <array>

class QPainter;

namespace corvantel::gui {

// The item tree's pictures: five 16 x 16 pictures, drawn by the program itself.
class TreeImages {
 public:
  static constexpr int kWidth = 16;
  static constexpr int kHeight = 16;
  enum Picture { ClosedFolder = 0, Sheet = 1, MinusSign = 2, OpenFolder = 3, PlusSign = 4, Count = 5 };

  TreeImages();

  // The list the tree uses unless it is given another one; made on first use (needs a QGuiApplication).
  static const TreeImages& standard();

  int count() const { return Count; }
  int width() const { return kWidth; }
  int height() const { return kHeight; }
  // Picture `index` as an image; a null image for an index outside the list.
  QImage image(int index) const;
  // Draws picture `index` with its top-left corner at (x, y) in its normal look. An index outside the
  // list (-1 among them) draws nothing.
  void draw(QPainter& painter, int x, int y, int index) const;

  // The 16 x 16 warning sign drawn after the caption of an item whose link is broken.
  static const QImage& warningImage();

 private:
  std::array<QImage, Count> m_images;
  std::array<QPixmap, Count> m_pixmaps;
};

}  // namespace corvantel::gui
