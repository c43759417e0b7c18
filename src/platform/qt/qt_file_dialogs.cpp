#include "platform/qt/qt_file_dialogs.h"

#include <QFileDialog>
#include <QFileInfo>

namespace tallymar {
namespace {

constexpr const char* kFilter = "Calculator (*.add)";

std::optional<FileChoice> Run(QFileDialog& dialog, QWidget* parent) {
    dialog.setNameFilter(kFilter);
    dialog.setDefaultSuffix("add");
    const bool accepted = dialog.exec() == QDialog::Accepted;
    if (parent) parent->activateWindow();
    if (!accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const QString path = dialog.selectedFiles().first();
    return FileChoice{path.toStdString(), QFileInfo(path).fileName().toStdString()};
}

}  // namespace

std::optional<FileChoice> QtFileDialogs::ChooseOpen(const std::string& title) {
    QFileDialog dialog(parent_, QString::fromStdString(title));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    return Run(dialog, parent_);
}

std::optional<FileChoice> QtFileDialogs::ChooseSave(const std::string& title,
                                                    const std::string& file_name) {
    QFileDialog dialog(parent_, QString::fromStdString(title));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The replace question is the program's own, asked after the dialog.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.selectFile(QString::fromStdString(file_name));
    return Run(dialog, parent_);
}

}  // namespace tallymar
