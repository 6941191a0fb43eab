// The colour palette: building the 127 colour combs (done after every intensity change), painting the
// whole palette in custom mode (the custom area composed off-screen), and repainting one hovered cell.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>

#include "core/palette/color_combs.h"
#include "gui/widgets/color_button.h"
#include "gui/widgets/color_popup.h"

using namespace corvantel;
using namespace corvantel::gui;

namespace {

QApplication& app() {
  static int argc = 1;
  static char name[] = "bench_color_palette_gui";
  static char* argv[] = {name, nullptr};
  static QApplication* instance = [] {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    return new QApplication(argc, argv);
  }();
  return *instance;
}

void BM_BuildColorCombs(benchmark::State& state) {
  float intensity = 1.0f;
  for (auto _ : state) {
    intensity = intensity > 0.1f ? intensity - 0.01f : 1.0f;
    benchmark::DoNotOptimize(palette::buildColorCombs({intensity, intensity, intensity}, 63));
  }
}
BENCHMARK(BM_BuildColorCombs);

struct Painted {
  ColorButton button;
  QImage image;
  Painted() {
    button.setCustomText(QStringLiteral("More colors"));
    button.setSelectionColor(document::makeColor(195, 195, 195));  // a grey cell: custom mode
    button.popup()->locate(button.selectionColor());
    button.popup()->resize(button.popup()->paletteLayout().palette.width(),
                           button.popup()->paletteLayout().customHeight);
    image = QImage(button.popup()->size(), QImage::Format_RGB32);
  }
};

void BM_PaintCustomPalette(benchmark::State& state) {
  app();
  Painted p;
  for (auto _ : state) {
    QPainter painter(&p.image);
    p.button.popup()->paintPalette(painter, p.image.rect());
  }
}
BENCHMARK(BM_PaintCustomPalette)->Unit(benchmark::kMicrosecond);

void BM_PaintOneCell(benchmark::State& state) {
  app();
  Painted p;
  const palette::Rect r = palette::cellRect(p.button.popup()->paletteLayout(), 20);
  const QRect cell(r.left, r.top, r.width(), r.height());
  for (auto _ : state) {
    QPainter painter(&p.image);
    painter.setClipRect(cell);
    p.button.popup()->paintPalette(painter, cell);
  }
}
BENCHMARK(BM_PaintOneCell)->Unit(benchmark::kMicrosecond);

}  // namespace
