#pragma once

#include <QString>

namespace corvantel::gui {

// The toolkit's own texts (the buttons of message boxes, the names of keys in shortcuts such as "Strg+N",
// the file dialogs) in the program's language: the toolkit's "qtbase" translation of `locale` ("de",
// "fr_CA", ...), from the toolkit's translation folder, installed in the application in place of the one
// installed before. An empty locale, or one the folder has no translation for, gives the toolkit's
// English. Every window gets the toolkit's language-change event at once. Returns the file that was
// loaded, empty for English.
QString installToolkitTranslation(const QString& locale);

// The folder the translations are read from (the toolkit's TranslationsPath).
QString toolkitTranslationFolder();

}  // namespace corvantel::gui
