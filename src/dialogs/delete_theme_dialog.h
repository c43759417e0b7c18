// "Delete theme" (frmDeleteTheme): asks before the current theme is deleted.
// Delete deletes it; Cancel, Escape and the frame keep every theme.
#pragma once

#include <QDialog>

#include "settings/theme_forms.h"

class QLabel;
class QPushButton;

namespace tallymar {

class DeleteThemeDialog : public QDialog {
  public:
    // Sits at the left edge of `colors_dialog`, 2000 twips below its top.
    DeleteThemeDialog(QWidget* colors_dialog, DeleteThemeForm& form);

    QLabel* Question() const { return question_; }
    QPushButton* DeleteButton() const { return delete_; }
    QPushButton* CancelButton() const { return cancel_; }

    void reject() override;

  private:
    DeleteThemeForm& form_;
    QLabel* question_;
    QPushButton* delete_;
    QPushButton* cancel_;
};

}  // namespace tallymar
