#include "gui/i18n/toolkit_translation.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QPointer>
#include <QTranslator>

namespace corvantel::gui {

namespace {
// Owned by the application object, so it goes with it; a new application gets a new one.
QPointer<QTranslator>& installed() {
  static QPointer<QTranslator> translator;
  return translator;
}
}  // namespace

QString toolkitTranslationFolder() { return QLibraryInfo::path(QLibraryInfo::TranslationsPath); }

QString installToolkitTranslation(const QString& locale) {
  QCoreApplication* app = QCoreApplication::instance();
  if (!app) return {};
  QPointer<QTranslator>& current = installed();
  if (current) {
    QCoreApplication::removeTranslator(current);
    delete current.data();
  }
  if (locale.isEmpty()) return {};
  auto* translator = new QTranslator(app);
  // "fr_CA" falls back to "fr" by the translator's own rules.
  if (!translator->load(QStringLiteral("qtbase_") + locale, toolkitTranslationFolder())) {
    delete translator;
    return {};
  }
  QCoreApplication::installTranslator(translator);
  current = translator;
  return translator->filePath();
}

}  // namespace corvantel::gui
