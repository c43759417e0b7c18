#include "dialogs/mode_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dialogs/placement.h"
#include "platform/qt/twips.h"

namespace tallymar {

ModeDialog::ModeDialog(QWidget* main_window, bool calc_mode, std::function<void(bool)> choose,
                       std::function<void()> open_help)
    : QDialog(main_window) {
    setObjectName("frmMode");
    setWindowTitle("Tallymar Mode");
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(" Select the mode you prefer to use.", this);
    adder_ = new QRadioButton("Adding machine mode", this);
    adder_->setObjectName("optMode0");
    calc_ = new QRadioButton("Electronic Handheld Calculator mode", this);
    calc_->setObjectName("optMode1");
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("cmdMode");
    ok->setDefault(true);
    auto* help = new QPushButton("Help", this);
    help->setObjectName("cmdHelp");
    layout->addWidget(label);
    layout->addWidget(adder_);
    layout->addWidget(calc_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(help);
    layout->addLayout(buttons);

    (calc_mode ? calc_ : adder_)->setChecked(true);
    connect(adder_, &QRadioButton::clicked, this, [choose] { choose(false); });
    connect(calc_, &QRadioButton::clicked, this, [choose] { choose(true); });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(help, &QPushButton::clicked, this, [open_help = std::move(open_help)] {
        if (open_help) open_help();
    });
    if (main_window) {
        const Twips t = Twips::Of(main_window);
        move(main_window->geometry().topLeft() + QPoint(t.X(100), t.Y(2000)));
    }
    FitToScreenWhenShown(this);
}

}  // namespace tallymar
