// "New Color Theme" (frmNewTheme): the name of a theme about to be saved. OK hides
// it and the colour dialog reads the name; Cancel empties the name and leaves it
// open; closing it by its frame (or Escape) leaves no name.
#pragma once

#include <QDialog>

#include "settings/theme_forms.h"

class QLineEdit;
class QPushButton;

namespace tallymar {

class NewThemeDialog : public QDialog {
  public:
    // Sits at the left edge of `colors_dialog`, 2000 twips below its top.
    NewThemeDialog(QWidget* colors_dialog, NewThemeForm& form);

    QLineEdit* NameBox() const { return name_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }

    void reject() override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    NewThemeForm& form_;
    QLineEdit* name_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

}  // namespace tallymar
