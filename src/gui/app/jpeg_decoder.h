#pragma once

#include <QByteArray>
#include <QImage>

namespace corvantel::gui {

// Decodes JPEG bytes with libjpeg. Gives a null image for anything that is not a decodable JPEG (and
// for pictures larger than kMaxJpegSide on a side); never crashes on broken data.
inline constexpr int kMaxJpegSide = 4096;
QImage decodeJpeg(const QByteArray& bytes);

}  // namespace corvantel::gui
