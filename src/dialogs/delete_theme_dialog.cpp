#include "dialogs/delete_theme_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialogs/placement.h"
#include "settings/colors_form.h"

namespace tallymar {

DeleteThemeDialog::DeleteThemeDialog(QWidget* colors_dialog, DeleteThemeForm& form)
    : QDialog(colors_dialog), form_(form) {
    setObjectName("frmDeleteTheme");
    setWindowTitle(theme_text::kDeleteCaption);
    question_ = new QLabel(QString::fromStdString(form.lblDeleteTheme()), this);
    question_->setObjectName("lblDeleteTheme");
    question_->setTextFormat(Qt::PlainText);
    question_->setWordWrap(true);
    delete_ = new QPushButton(theme_text::kDelete, this);
    delete_->setObjectName("cmdDelete");
    delete_->setAccessibleDescription(question_->text());
    cancel_ = new QPushButton(theme_text::kCancel, this);
    cancel_->setObjectName("cmdCancel");
    // Enter alone keeps the theme: deleting cannot be undone.
    cancel_->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(question_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(delete_);
    buttons->addWidget(cancel_);
    layout->addLayout(buttons);
    setTabOrder(delete_, cancel_);

    connect(delete_, &QPushButton::clicked, this, [this] {
        form_.cmdDelete_Click();
        accept();
    });
    connect(cancel_, &QPushButton::clicked, this, &DeleteThemeDialog::reject);
    if (colors_dialog) PlaceAt(this, colors_dialog, ThemeQuestionPlace);
    cancel_->setFocus();
}

void DeleteThemeDialog::reject() {
    form_.cmdCancel_Click();
    QDialog::reject();
}

}  // namespace tallymar
