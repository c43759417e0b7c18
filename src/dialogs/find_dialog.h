// "Find" (frmFind), Edit > Find…: a text box, Find next, Find previous and Close.
// Each Find button looks for the text from the line the user is on; a line found
// closes the dialog, leaving the keyboard on that line of the tape (which a screen
// reader then reads); a text not found is told, and the dialog stays open with the
// text selected for another try.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "engine/tape_find.h"

class QLineEdit;
class QPushButton;

namespace tallymar {

class FindDialog : public QDialog {
  public:
    // Looks for the text; true when a line was found.
    using Search = std::function<bool(const std::string& text, FindDirection direction)>;

    // `text` is what was last looked for, shown selected.
    FindDialog(QWidget* main_window, const std::string& text, Search search);

    QLineEdit* TextBox() const { return text_; }
    QPushButton* NextButton() const { return next_; }
    QPushButton* PreviousButton() const { return previous_; }

  private:
    void Look(FindDirection direction);

    Search search_;
    QLineEdit* text_;
    QPushButton* next_;
    QPushButton* previous_;
};

}  // namespace tallymar
