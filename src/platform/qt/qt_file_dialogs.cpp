#include "platform/qt/qt_file_dialogs.h"

#include <QFileDialog>
#include <QFileInfo>

namespace tallymar {
namespace {

constexpr const char* kFilter = "Calculator (*.add)";

void ForTapeFiles(QFileDialog& dialog) {
    dialog.setNameFilter(kFilter);
    dialog.setDefaultSuffix("add");
}

std::optional<FileChoice> Run(QFileDialog& dialog, QWidget* parent) {
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
    ForTapeFiles(dialog);
    return Run(dialog, parent_);
}

std::optional<FileChoice> QtFileDialogs::ChooseSave(const std::string& title,
                                                    const std::string& file_name) {
    QFileDialog dialog(parent_, QString::fromStdString(title));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The replace question is the program's own, asked after the dialog.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    ForTapeFiles(dialog);
    dialog.selectFile(QString::fromStdString(file_name));
    return Run(dialog, parent_);
}

std::optional<FileChoice> QtFileDialogs::ChooseExport(const std::string& title,
                                                      const std::string& file_name) {
    QFileDialog dialog(parent_, QString::fromStdString(title));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    // The form follows the name's extension; a name typed without one takes the
    // extension of the filter chosen.
    const QStringList filters = {QStringLiteral("CSV (*.csv)"), QStringLiteral("Text (*.txt)")};
    dialog.setNameFilters(filters);
    const bool text = QString::fromStdString(file_name).endsWith(".txt", Qt::CaseInsensitive);
    dialog.selectNameFilter(filters[text ? 1 : 0]);
    dialog.setDefaultSuffix(text ? "txt" : "csv");
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, filters](const QString& filter) {
                         dialog.setDefaultSuffix(filter == filters[1] ? "txt" : "csv");
                     });
    dialog.selectFile(QString::fromStdString(file_name));
    return Run(dialog, parent_);
}

}  // namespace tallymar
