#pragma once

#include <QDialog>
#include <QString>

class QPushButton;

namespace corvantel::gui {

class LanguageListView;

// The modal language dialog. It is made once for the run and only hidden between uses, so its
// list and the row selected in it persist from one opening to the next. Its texts follow the program's
// language (uiText) each time it is shown.
class LanguageDialog : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kHelpContext = 1002;
  // Columns of the language list.
  enum Column { LanguageColumn = 0, LocalizedColumn = 1, FilenameColumn = 2 };

  explicit LanguageDialog(QWidget* parent = nullptr);

  // The language file of the selected row; empty when no row is selected.
  QString selectedFile() const;

  LanguageListView* languageList() const { return m_languageList; }
  QPushButton* okButton() const { return m_okButton; }
  QPushButton* cancelButton() const { return m_cancelButton; }
  // Gives the title, the column headings and Cancel the current language's texts.
  void retranslate();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  LanguageListView* m_languageList = nullptr;
  QPushButton* m_okButton = nullptr;
  QPushButton* m_cancelButton = nullptr;
  bool m_placed = false;  // centred once, at the first opening
};

}  // namespace corvantel::gui
