#include "dialogs/new_theme_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/placement.h"
#include "settings/colors_form.h"

namespace tallymar {

NewThemeDialog::NewThemeDialog(QWidget* colors_dialog, NewThemeForm& form)
    : QDialog(colors_dialog), form_(form) {
    setObjectName("frmNewTheme");
    setWindowTitle(theme_text::kNewThemeCaption);
    auto* label = new QLabel(theme_text::kNewThemePrompt, this);
    label->setObjectName("Label1");
    name_ = new QLineEdit(QString::fromStdString(form.txtThemeName()), this);
    name_->setObjectName("txtThemeName");
    label->setBuddy(name_);
    name_->setAccessibleName(theme_text::kNewThemePrompt);
    ok_ = new QPushButton(theme_text::kOk, this);
    ok_->setObjectName("cmdOK");
    ok_->setDefault(true);
    cancel_ = new QPushButton(theme_text::kCancel, this);
    cancel_->setObjectName("cmdCancel");
    cancel_->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(name_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    layout->addLayout(buttons);

    connect(name_, &QLineEdit::textEdited, this,
            [this](const QString& text) { form_.txtThemeName_Change(text.toStdString()); });
    connect(ok_, &QPushButton::clicked, this, [this] {
        form_.cmdOK_Click();
        accept();
    });
    connect(cancel_, &QPushButton::clicked, this, [this] {
        form_.cmdCancel_Click();
        QDialog::reject();
    });
    if (colors_dialog) PlaceAt(this, colors_dialog, ThemeQuestionPlace);
}

void NewThemeDialog::reject() {
    form_.Form_Unload();
    QDialog::reject();
}

void NewThemeDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    name_->setFocus(Qt::OtherFocusReason);
}

}  // namespace tallymar
