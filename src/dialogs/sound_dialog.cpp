#include "dialogs/sound_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>

#include "dialogs/placement.h"
#include "platform/qt/twips.h"

namespace tallymar {
namespace {

// The least width of a Test button, in twips. Everything else takes the size its
// caption needs, in any font and at any scale.
constexpr double kTestWidth = 600;

struct ArrayLook {
    const char* frame_name;
    const char* frame_caption;
    const char* option_name;  // the array's name; each option adds its index
    const char* test_name;
    const char* test_description;
};

constexpr ArrayLook kArrays[3] = {
    {"Frame1", sounds_text::kMachineFrame, "obMachine", "cmdTest",
     "Plays the key sound of the chosen machine"},
    {"Frame2", sounds_text::kInputFrame, "obInVoice", "cmdTestInput",
     "Plays a sample of the chosen input voice"},
    {"Frame3", sounds_text::kCallbackFrame, "obCallVoice", "cmdTestCallback",
     "Plays a sample of the chosen callback voice"},
};

// The machines stand in two columns of four, ordered by where they stand:
// the left column holds options 0, 1, 3, 5 and the right one 4, 6, 2, 7.
constexpr int kMachineColumn[8] = {0, 0, 1, 0, 1, 0, 1, 1};
constexpr int kMachineLine[8] = {0, 1, 2, 2, 0, 3, 1, 3};

}  // namespace

SoundDialog::SoundDialog(QWidget* main_window, SoundsForm& form)
    : QDialog(main_window), form_(form) {
    setObjectName("frmSound");
    setWindowTitle(sounds_text::kCaption);
    const Twips t = Twips::Of(main_window ? main_window : this);
    // Created in the order Tab goes: each frame's options and Test, then OK.
    for (SoundChoice choice :
         {SoundChoice::kMachine, SoundChoice::kInputVoice, SoundChoice::kCallbackVoice}) {
        BuildArray(choice);
    }
    keys_interrupt_ = new QCheckBox(sounds_text::kKeysInterrupt, this);
    keys_interrupt_->setObjectName("chkKeysInterrupt");
    keys_interrupt_->setChecked(form_.KeysInterruptVoice());
    connect(keys_interrupt_, &QCheckBox::toggled, this,
            [this](bool on) { form_.SetKeysInterruptVoice(on); });
    ok_ = new QPushButton(sounds_text::kOk, this);
    ok_->setObjectName("cmdClose");
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

    // The machines across the top, the two voices side by side below them.
    auto* layout = new QGridLayout(this);
    layout->addWidget(Frame(SoundChoice::kMachine), 0, 0, 1, 2);
    layout->addWidget(Frame(SoundChoice::kInputVoice), 1, 0);
    layout->addWidget(Frame(SoundChoice::kCallbackVoice), 1, 1);
    layout->addWidget(keys_interrupt_, 2, 0, 1, 2);
    layout->addWidget(ok_, 3, 0, 1, 2, Qt::AlignHCenter);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);
    // As large as its captions need, and no larger: the user has nothing to resize.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    Show();
    if (main_window) {
        move(main_window->geometry().topLeft() + QPoint(t.X(100), t.Y(2000)));
    }
    FitToScreenWhenShown(this);
}

void SoundDialog::BuildArray(SoundChoice choice) {
    const Twips t = Twips::Of(parentWidget() ? parentWidget() : this);
    const ArrayLook& look = kArrays[static_cast<int>(choice)];
    Array& array = ArrayOf(choice);
    array.frame = new QGroupBox(look.frame_caption, this);
    array.frame->setObjectName(look.frame_name);
    auto* options = new QGridLayout(array.frame);
    const bool machines = choice == SoundChoice::kMachine;
    const int count = SoundsForm::OptionCount(choice);
    for (int index = 0; index < count; ++index) {
        auto* option = new QRadioButton(QString::fromStdString(SoundsForm::Caption(choice, index)),
                                        array.frame);
        option->setObjectName(QString("%1%2").arg(look.option_name).arg(index));
        options->addWidget(option, machines ? kMachineLine[index] : index,
                           machines ? kMachineColumn[index] : 0);
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
    array.test->setMinimumWidth(t.X(kTestWidth));
    options->addWidget(array.test, machines ? 4 : count, 0, 1, machines ? 2 : 1, Qt::AlignHCenter);
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
