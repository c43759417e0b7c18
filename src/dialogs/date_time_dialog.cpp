#include "dialogs/date_time_dialog.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/placement.h"
#include "platform/qt/twips.h"

namespace tallymar {

DateTimeDialog::DateTimeDialog(QWidget* main_window, bool* print_date, bool* print_time)
    : QDialog(main_window) {
    setObjectName("frmDateTime");
    setWindowTitle("Date, time");
    auto* frame = new QGroupBox("When printing, show:", this);
    frame->setObjectName("Frame1");
    date_ = new QCheckBox("Date", frame);
    date_->setObjectName("chkDate");
    time_ = new QCheckBox("Time", frame);
    time_->setObjectName("chkTime");
    auto* frame_layout = new QVBoxLayout(frame);
    frame_layout->addWidget(date_);
    frame_layout->addWidget(time_);
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("cmdOK");
    ok->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addWidget(ok);

    date_->setChecked(*print_date);
    time_->setChecked(*print_time);
    connect(date_, &QCheckBox::toggled, this, [print_date](bool on) { *print_date = on; });
    connect(time_, &QCheckBox::toggled, this, [print_time](bool on) { *print_time = on; });
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    const Twips t = Twips::Of(main_window ? main_window : this);
    resize(std::max(t.X(2610), sizeHint().width()), std::max(t.Y(2190), sizeHint().height()));
    if (main_window) move(main_window->geometry().topLeft() + QPoint(t.X(180), t.Y(1500)));
    FitToScreenWhenShown(this);
}

}  // namespace tallymar
