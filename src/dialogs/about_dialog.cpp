#include "dialogs/about_dialog.h"

#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/placement.h"
#include "platform/qt/twips.h"

namespace tallymar {
namespace {

QLabel* MadeLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    return label;
}

}  // namespace

AboutDialog::AboutDialog(QWidget* main_window, const ProgramVersion& version,
                         const std::string& home_page,
                         std::function<void(const std::string&)> open_address)
    : QDialog(main_window) {
    setObjectName("frmAbout");
    setWindowTitle("About Tallymar");
    auto* machine = new QLabel(this);
    machine->setPixmap(QIcon(":/tallymar/dialogs/app.svg").pixmap(96, 96));
    machine->setObjectName("Picture1");
    machine->setAccessibleName("Tallymar's adding machine");
    auto* voice = new QLabel(this);
    voice->setPixmap(QIcon(":/tallymar/dialogs/talking_face.svg").pixmap(48, 48));
    voice->setObjectName("Picture2");
    voice->setAccessibleName("A talking face");

    auto* title = MadeLabel(this, "Label1", "Tallymar");
    QFont big = title->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.8);
    title->setFont(big);
    version_ = MadeLabel(this, "lblVersion", QString::fromStdString(VersionLine(version)));
    const QString address = QString::fromStdString(home_page);
    const QString link = QString("<a href=\"%1\">%1</a>").arg(address.toHtmlEscaped());
    website_ = MadeLabel(this, "Label5", link);
    website_->setTextFormat(Qt::RichText);
    website_->setAccessibleName(address);
    website_->setTextInteractionFlags(Qt::TextBrowserInteraction);
    // Followed as Help > Tallymar website is, so that a missing browser is named alike.
    connect(website_, &QLabel::linkActivated, this,
            [open = std::move(open_address)](const QString& url) {
                if (open) open(url.toStdString());
            });

    auto* text = new QVBoxLayout;
    text->addWidget(title);
    text->addWidget(version_);
    text->addWidget(MadeLabel(this, "Label2", "A talking, printing adding machine."));
    text->addWidget(MadeLabel(this, "Label3",
                              "Amounts keyed on the numeric keypad print on a paper tape, "
                              "totals are struck in bold, and a voice can read them aloud."));
    text->addSpacing(8);
    text->addWidget(MadeLabel(this, "Label4", "Help, news and new versions:"));
    text->addWidget(website_);
    text->addWidget(MadeLabel(this, "Label6",
                              "Questions, ideas and faults are welcome on the project's "
                              "issue tracker, linked from the home page."));
    text->addWidget(MadeLabel(this, "Label7", "Press F1 in Tallymar for its help book."));
    text->addWidget(MadeLabel(this, "Label8", "The voices are spoken by Flite."));
    auto* notice = MadeLabel(this, "lblNotice",
                             "Tallymar comes with no warranty of any kind: check the figures "
                             "that matter to you before you rely on them.");
    QFont small = notice->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    notice->setFont(small);

    ok_ = new QPushButton("OK", this);
    ok_->setObjectName("cmdAbout");
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    auto* pictures = new QVBoxLayout;
    pictures->addWidget(machine);
    pictures->addWidget(voice, 0, Qt::AlignHCenter);
    pictures->addStretch();
    layout->addLayout(pictures, 0, 0);
    layout->addLayout(text, 0, 1);
    layout->addWidget(notice, 1, 0, 1, 2);
    layout->addWidget(ok_, 2, 1, Qt::AlignRight);
    setMinimumWidth(420);
    ok_->setFocus();

    if (main_window) {
        const Twips t = Twips::Of(main_window);
        move(main_window->geometry().topLeft() + QPoint(t.X(100), t.Y(2000)));
    }
    // Whole on the screen, even beside a main window at its edge.
    FitToScreenWhenShown(this);
}

}  // namespace tallymar
