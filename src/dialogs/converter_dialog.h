// "Converter" (frmConvert): the unit converter, a modeless window. It shows the
// converter's model (converter/converter_form.h) and passes the user's picks,
// typing and clicks to it. Enter converts (the convert button); Escape, Close and
// the frame close it. Its colours are the current theme's when it opens.
#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "converter/converter_form.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tallymar {

class ConverterDialog : public QDialog, private ConverterDesktop {
  public:
    // Opens a web address in the user's browser; false when nothing could.
    using Browser = std::function<bool(const std::string& address)>;

    // Writes conversions onto `tape`; `ShowConversion` follows the check box. Sits
    // beside `main_window` as ConverterPlace says.
    ConverterDialog(QWidget* main_window, TapeWriter& tape, bool& ShowConversion,
                    const Colours& colours, NumberSymbols symbols,
                    Browser browser = OpenWithDesktop);

    // The desktop's own way of opening an address (QDesktopServices).
    static bool OpenWithDesktop(const std::string& address);

    const ConverterForm& form() const { return form_; }
    QComboBox* FromList() const { return from_; }
    QComboBox* ToList() const { return to_; }
    QLineEdit* AmountBox() const { return amount_; }
    QLabel* FromName() const { return from_name_; }
    QLabel* EqualsLabel() const { return equals_; }
    QLabel* Result() const { return result_; }
    QLabel* ToName() const { return to_name_; }
    QPushButton* ConvertButton() const { return convert_; }
    QCheckBox* AddToTapeBox() const { return add_to_tape_; }
    QPushButton* WebButton() const { return web_; }
    QPushButton* CloseButton() const { return close_; }
    QFrame* Panel() const { return panel_; }
    // The captions "From:", "To:", "Units" and "Converted".
    std::vector<QLabel*> Captions() const { return captions_; }

  private:
    bool OpenAddress(const std::string& address) override;
    void ShowMessage(const std::string& text) override;

    void ShowForm();  // the lists, boxes and labels as the model holds them

    ConverterForm form_;
    Browser browser_;
    std::vector<std::string> to_shown_;
    QFrame* panel_;
    QComboBox* from_;
    QComboBox* to_;
    QLineEdit* amount_;
    QLabel* from_name_;
    QLabel* equals_;
    QLabel* result_;
    QLabel* to_name_;
    QPushButton* convert_;
    QCheckBox* add_to_tape_;
    QPushButton* web_;
    QPushButton* close_;
    std::vector<QLabel*> captions_;
};

}  // namespace tallymar
