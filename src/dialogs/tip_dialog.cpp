#include "dialogs/tip_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "dialogs/placement.h"
#include "platform/qt/twips.h"

namespace tallymar {

TipDialog::TipDialog(QWidget* main_window, TipForm& form, const std::string& tips_path)
    : QDialog(main_window), form_(form) {
    setObjectName("frmTip");
    setWindowTitle("Tip of the Day");
    auto* picture = new QLabel(this);
    picture->setPixmap(QIcon(":/tallymar/dialogs/tip.svg").pixmap(48, 48));
    picture->setObjectName("Picture1");
    picture->setAccessibleName("Tip");
    auto* did_you_know = new QLabel("Did you know...", this);
    did_you_know->setObjectName("Label1");
    QFont bold = did_you_know->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.2);
    did_you_know->setFont(bold);
    tip_ = new QLabel(this);
    tip_->setObjectName("lblTipText");
    tip_->setWordWrap(true);
    tip_->setTextFormat(Qt::PlainText);
    tip_->setMinimumWidth(320);
    tip_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    tip_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    show_at_startup_ = new QCheckBox("&Show Tips at Startup", this);
    show_at_startup_->setObjectName("chkLoadTipsAtStartup");
    next_ = new QPushButton("&Next Tip", this);
    next_->setObjectName("cmdNextTip");
    next_->setAutoDefault(false);
    ok_ = new QPushButton("OK", this);
    ok_->setObjectName("cmdOK");
    ok_->setDefault(true);

    auto* layout = new QGridLayout(this);
    layout->addWidget(picture, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(did_you_know, 0, 1);
    layout->addWidget(tip_, 1, 1);
    layout->setRowStretch(1, 1);
    layout->setRowMinimumHeight(1, 80);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(show_at_startup_);
    buttons->addStretch();
    buttons->addWidget(next_);
    buttons->addWidget(ok_);
    layout->addLayout(buttons, 2, 0, 1, 2);
    setTabOrder(ok_, next_);
    setTabOrder(next_, show_at_startup_);

    form_.Open(tips_path);
    show_at_startup_->setChecked(form_.chkLoadTipsAtStartup());
    Show();
    connect(show_at_startup_, &QCheckBox::clicked, this,
            [this](bool checked) { form_.chkLoadTipsAtStartup_Click(checked); });
    connect(next_, &QPushButton::clicked, this, [this] {
        form_.cmdNextTip_Click();
        Show();
    });
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    ok_->setFocus();

    if (main_window) {
        const Twips t = Twips::Of(main_window);
        const QScreen* screen =
            main_window->screen() ? main_window->screen() : QGuiApplication::primaryScreen();
        const QRect area = screen ? screen->geometry() : QRect(0, 0, 1024, 768);
        const QRect main = main_window->geometry();
        const QSize size = sizeHint();
        const TipPlace place = PlaceTip({t.FromX(main.x() - area.x()), t.FromY(main.y() - area.y()),
                                         t.FromX(area.width()), t.FromY(area.height()),
                                         t.FromX(size.width()), t.FromY(size.height())});
        move(area.x() + t.X(place.left), area.y() + t.Y(place.top));
    }
    FitToScreenWhenShown(this);
}

void TipDialog::Show() {
    tip_->setText(QString::fromStdString(form_.lblTipText()));
    // A screen reader hears the new tip as the label's description.
    tip_->setAccessibleName(tip_->text());
}

void TipDialog::done(int result) {
    form_.Close();
    QDialog::done(result);
}

}  // namespace tallymar
