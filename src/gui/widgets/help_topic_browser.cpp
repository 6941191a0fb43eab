#include "gui/widgets/help_topic_browser.h"

#include <QDesktopServices>
#include <QStringDecoder>
#include <QTextDocument>

#include "gui/i18n/ui_text.h"
#include "gui/widgets/chm_file.h"

namespace corvantel::gui {

HelpTopicBrowser::HelpTopicBrowser(QWidget* parent) : QTextBrowser(parent) {
  setOpenLinks(false);
  setOpenExternalLinks(false);
  connect(this, &QTextBrowser::anchorClicked, this, &HelpTopicBrowser::followLink);
}

QUrl HelpTopicBrowser::topicUrl(const QString& objectPath) {
  QUrl url;
  url.setScheme(QString::fromLatin1(kScheme));
  QString path = objectPath;
  QString fragment;
  if (qsizetype hash = path.indexOf(QLatin1Char('#')); hash >= 0) {
    fragment = path.mid(hash + 1);
    path.truncate(hash);
  }
  url.setPath(path.startsWith(QLatin1Char('/')) ? path : QLatin1Char('/') + path);
  if (!fragment.isEmpty()) url.setFragment(fragment);
  return url;
}

void HelpTopicBrowser::followLink(const QUrl& link) {
  QUrl target = source().resolved(link);
  if (target.scheme() == QLatin1String(kScheme) || target.scheme().isEmpty()) {
    setSource(target);
  } else {
    QDesktopServices::openUrl(target);
  }
}

QVariant HelpTopicBrowser::loadResource(int type, const QUrl& name) {
  QUrl url = name.isRelative() ? source().resolved(name) : name;
  if (!m_file || url.scheme() != QLatin1String(kScheme)) return QTextBrowser::loadResource(type, name);
  std::optional<QByteArray> bytes = m_file->read(url.path());
  if (!bytes) {
    if (type == QTextDocument::HtmlResource) {
      return QStringLiteral("<html><body><h2>%1</h2><p>%2</p></body></html>")
          .arg(uiText("Topic not found").toHtmlEscaped(),
               uiText("The help file has no page %1.").arg(url.path()).toHtmlEscaped());
    }
    return {};
  }
  if (type == QTextDocument::HtmlResource) {
    QStringDecoder decoder = QStringDecoder::decoderForHtml(*bytes);
    if (!decoder.isValid()) decoder = QStringDecoder(QStringDecoder::Utf8);
    return QString(decoder.decode(*bytes));
  }
  if (type == QTextDocument::StyleSheetResource) return QString::fromUtf8(*bytes);
  return *bytes;
}

}  // namespace corvantel::gui
