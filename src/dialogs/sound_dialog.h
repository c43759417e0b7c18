// "Sound" (frmSound): the machine, the input voice and the callback voice, each an
// array of option buttons in its frame with a Test button, and OK. It shows the
// SoundsForm model and passes each click to it; a click writes its setting at once.
#pragma once

#include <QCheckBox>
#include <QDialog>
#include <vector>

#include "engine/sounds_form.h"

class QGroupBox;
class QPushButton;
class QRadioButton;

namespace tallymar {

class SoundDialog : public QDialog {
  public:
    // Opened over `main_window`, 100 twips right of and 2000 below its top-left corner.
    SoundDialog(QWidget* main_window, SoundsForm& form);

    QRadioButton* Option(SoundChoice choice, int index) const;
    QPushButton* TestButton(SoundChoice choice) const;
    QGroupBox* Frame(SoundChoice choice) const;
    QPushButton* OkButton() const { return ok_; }
    QCheckBox* KeysInterruptBox() const { return keys_interrupt_; }

  private:
    struct Array {
        QGroupBox* frame = nullptr;
        std::vector<QRadioButton*> options;
        QPushButton* test = nullptr;
    };

    void BuildArray(SoundChoice choice);
    // Shows which option of each array the model has selected.
    void Show();
    Array& ArrayOf(SoundChoice choice) { return arrays_[static_cast<int>(choice)]; }
    const Array& ArrayOf(SoundChoice choice) const { return arrays_[static_cast<int>(choice)]; }

    SoundsForm& form_;
    Array arrays_[3];
    QPushButton* ok_ = nullptr;
    QCheckBox* keys_interrupt_ = nullptr;
};

}  // namespace tallymar
