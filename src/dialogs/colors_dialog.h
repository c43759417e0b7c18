// "Tallymar Colors" (frmColors): the colour dialog. It shows the colour dialog's
// model (settings/colors_form.h) and passes the user's events to it: the theme
// list, Apply, the five element buttons with Qt's colour dialog, saving and
// deleting themes through their two small dialogs, the sample tape, "Send colors
// to printer", OK and Cancel. Escape and the frame count as Cancel.
#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <optional>

#include "settings/colors_form.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace tallymar {

class ColorsDialog : public QDialog, private ThemeDialogs {
  public:
    // The colour chosen in a colour picker that starts from `start`; nothing when it
    // was cancelled.
    using ColourPicker = std::function<std::optional<Colour>(Colour start, QWidget* parent)>;

    // `current` holds the five colours the program paints with; `tape` takes them on
    // Apply and OK. Sits 180 twips right of `main_window`'s left edge, 200 below its top.
    ColorsDialog(QWidget* main_window, Settings& settings, Colours& current, TapeColours& tape,
                 ColourPicker pick_colour = PickWithColourDialog);

    // Qt's colour dialog, started from `start` with its custom colours shown.
    static std::optional<Colour> PickWithColourDialog(Colour start, QWidget* parent);

    const ColorsForm& form() const { return form_; }
    QComboBox* ThemeList() const { return themes_; }
    QPushButton* ApplyButton() const { return apply_; }
    QPushButton* ElementButton(int index) const { return elements_[index]; }
    QPushButton* NewThemeButton() const { return new_theme_; }
    QPushButton* DeleteThemeButton() const { return delete_theme_; }
    // The inside of the frame "Sample", in the background colour around the tape.
    QWidget* SampleGround() const { return sample_ground_; }
    // The sample's label `index` (0 to 9).
    QLabel* SampleLabel(int index) const { return sample_[index]; }
    QCheckBox* ColorPrinterBox() const { return color_printer_; }
    QPushButton* OkButton() const { return ok_; }
    QPushButton* CancelButton() const { return cancel_; }

    void reject() override;

  private:
    void ShowNewTheme(NewThemeForm& form) override;
    void ShowDeleteTheme(DeleteThemeForm& form) override;
    void ShowMessage(const std::string& text) override;

    void ShowThemeList();
    void ShowSample();
    void AfterThemeChange();

    ColorsForm form_;
    ColourPicker pick_colour_;
    QComboBox* themes_;
    QPushButton* apply_;
    std::array<QPushButton*, 5> elements_{};
    QPushButton* new_theme_;
    QPushButton* delete_theme_;
    QWidget* sample_ground_;
    std::array<QLabel*, 10> sample_{};
    QCheckBox* color_printer_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

}  // namespace tallymar
