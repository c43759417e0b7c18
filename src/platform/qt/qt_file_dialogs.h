// The Open, Save As and Export dialogs of tape files on Qt.
#pragma once

#include <QPointer>
#include <QWidget>

#include "files/file_ports.h"

namespace tallymar {

class QtFileDialogs : public FileDialogs {
  public:
    explicit QtFileDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    std::optional<FileChoice> ChooseOpen(const std::string& title) override;
    std::optional<FileChoice> ChooseSave(const std::string& title,
                                         const std::string& file_name) override;
    std::optional<FileChoice> ChooseExport(const std::string& title,
                                           const std::string& file_name) override;

  private:
    QPointer<QWidget> parent_;
};

}  // namespace tallymar
