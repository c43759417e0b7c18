#include "dialogs/sound_dialog.h"

#include <QCheckBox>

#include <QFont>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

#include "platform/qt/twips.h"

namespace tallymar {
namespace {

// Places and sizes in twips; option and Test buttons are placed inside their frame.
constexpr double kInnerWidth = 2775, kInnerHeight = 5520;
constexpr double kOptionHeight = 255;
constexpr double kFontPoints = 8;
constexpr double kTestWidth = 600, kTestHeight = 255;

struct Rect {
    double left, top, width, height;
};

struct ArrayLook {
    const char* frame_name;
    const char* frame_caption;
    Rect frame;
    const char* option_name;  // the array's name; each option adds its index
    const char* test_name;
    double test_left, test_top;
    const char* test_description;
};

constexpr ArrayLook kArrays[3] = {
    {"Frame1",
     sounds_text::kMachineFrame,
     {20, 0, 2700, 1815},
     "obMachine",
     "cmdTest",
     1050,
     1500,
     "Plays the key sound of the chosen machine"},
    {"Frame2",
     sounds_text::kInputFrame,
     {20, 1920, 1280, 2775},
     "obInVoice",
     "cmdTestInput",
     330,
     2400,
     "Plays a sample of the chosen input voice"},
    {"Frame3",
     sounds_text::kCallbackFrame,
     {1440, 1920, 1280, 2775},
     "obCallVoice",
     "cmdTestCallback",
     330,
     2400,
     "Plays a sample of the chosen callback voice"},
};

// The machines stand in two columns of four, ordered by where they stand:
// the left column holds options 0, 1, 3, 5 and the right one 4, 6, 2, 7.
constexpr double kMachineLeft = 120, kMachineRightLeft = 1400, kMachineWidth = 1290;
constexpr int kMachineColumn[8] = {0, 0, 1, 0, 1, 0, 1, 1};
constexpr int kMachineLine[8] = {0, 1, 2, 2, 0, 3, 1, 3};
constexpr double kFirstOptionTop = 320, kOptionStep = 300;
// The voices stand in one column, in option order.
constexpr double kVoiceLeft = 120, kVoiceWidth = 1140;

Rect OptionPlace(SoundChoice choice, int index) {
    if (choice == SoundChoice::kMachine) {
        return {kMachineColumn[index] == 0 ? kMachineLeft : kMachineRightLeft,
                kFirstOptionTop + kOptionStep * kMachineLine[index], kMachineWidth, kOptionHeight};
    }
    return {kVoiceLeft, kFirstOptionTop + kOptionStep * index, kVoiceWidth, kOptionHeight};
}

QRect Pixels(const Twips& t, const Rect& r) {
    return t.Rect(r.left, r.top, r.width, r.height);
}

}  // namespace

SoundDialog::SoundDialog(QWidget* main_window, SoundsForm& form)
    : QDialog(main_window), form_(form) {
    setObjectName("frmSound");
    setWindowTitle(sounds_text::kCaption);
    const Twips t = Twips::Of(main_window ? main_window : this);
    setFixedSize(t.X(kInnerWidth), t.Y(kInnerHeight));
    // The captions are set in a small font so that they fit the places given in twips.
    QFont small = font();
    small.setPointSizeF(kFontPoints);
    setFont(small);
    // Created in the order Tab goes: each frame's options and Test, then OK.
    for (SoundChoice choice :
         {SoundChoice::kMachine, SoundChoice::kInputVoice, SoundChoice::kCallbackVoice}) {
        BuildArray(choice);
    }
    keys_interrupt_ = new QCheckBox(sounds_text::kKeysInterrupt, this);
    keys_interrupt_->setObjectName("chkKeysInterrupt");
    keys_interrupt_->setChecked(form_.KeysInterruptVoice());
    keys_interrupt_->setGeometry(t.Rect(120, 4770, kInnerWidth - 240, 300));
    connect(keys_interrupt_, &QCheckBox::toggled, this,
            [this](bool on) { form_.SetKeysInterruptVoice(on); });
    ok_ = new QPushButton(sounds_text::kOk, this);
    ok_->setObjectName("cmdClose");
    ok_->setGeometry(t.Rect(1150, 5130, 480, 300));
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    Show();
    if (main_window) {
        move(main_window->geometry().topLeft() + QPoint(t.X(100), t.Y(2000)));
    }
}

void SoundDialog::BuildArray(SoundChoice choice) {
    const Twips t = Twips::Of(parentWidget() ? parentWidget() : this);
    const ArrayLook& look = kArrays[static_cast<int>(choice)];
    Array& array = ArrayOf(choice);
    array.frame = new QGroupBox(look.frame_caption, this);
    array.frame->setObjectName(look.frame_name);
    array.frame->setGeometry(Pixels(t, look.frame));
    for (int index = 0; index < SoundsForm::OptionCount(choice); ++index) {
        auto* option = new QRadioButton(QString::fromStdString(SoundsForm::Caption(choice, index)),
                                        array.frame);
        option->setObjectName(QString("%1%2").arg(look.option_name).arg(index));
        option->setGeometry(Pixels(t, OptionPlace(choice, index)));
        connect(option, &QRadioButton::clicked, this, [this, choice, index] {
            form_.Click(choice, index);
            Show();
        });
        array.options.push_back(option);
    }
    array.test = new QPushButton(sounds_text::kTest, array.frame);
    array.test->setObjectName(look.test_name);
    array.test->setAccessibleDescription(look.test_description);
    array.test->setAutoDefault(false);
    array.test->setGeometry(t.Rect(look.test_left, look.test_top, kTestWidth, kTestHeight));
    connect(array.test, &QPushButton::clicked, this, [this, choice] { form_.Test(choice); });
}

void SoundDialog::Show() {
    for (const Array& array : arrays_) {
        const auto choice = static_cast<SoundChoice>(&array - arrays_);
        const int selected = form_.Selected(choice);
        for (int index = 0; index < static_cast<int>(array.options.size()); ++index) {
            QRadioButton* option = array.options[index];
            if (option->isChecked() == (index == selected)) continue;
            // An exclusive option cannot be turned off on its own; none selected is shown
            // with every option off.
            option->setAutoExclusive(false);
            option->setChecked(index == selected);
            option->setAutoExclusive(true);
        }
    }
}

QRadioButton* SoundDialog::Option(SoundChoice choice, int index) const {
    const Array& array = ArrayOf(choice);
    return index >= 0 && index < static_cast<int>(array.options.size()) ? array.options[index]
                                                                        : nullptr;
}

QPushButton* SoundDialog::TestButton(SoundChoice choice) const {
    return ArrayOf(choice).test;
}

QGroupBox* SoundDialog::Frame(SoundChoice choice) const {
    return ArrayOf(choice).frame;
}

}  // namespace tallymar
