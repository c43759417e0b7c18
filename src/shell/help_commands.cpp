#include "shell/help_commands.h"

#include <QApplication>
#include <QDesktopServices>

#include "dialogs/about_dialog.h"
#include "dialogs/tip_dialog.h"
#include "engine/calc.h"
#include "engine/ports.h"
#include "help/about.h"
#include "help/data_folders.h"
#include "help/tip_form.h"
#include "settings/settings.h"
#include "shell/main_window.h"

namespace tallymar {

HelpCommands::HelpCommands(MainWindow& window, Settings& settings, Dialogs& messages,
                           std::vector<std::string> data_folders)
    : open_url([](const QUrl& url) { return QDesktopServices::openUrl(url); }),
      window_(window),
      settings_(settings),
      messages_(messages),
      data_folders_(std::move(data_folders)) {}

HelpCommands::~HelpCommands() {
    delete help_.data();
}

void HelpCommands::ShowHelp(const std::string& page) {
    if (!help_) help_ = new HelpWindow(HelpBook(SubFolders(data_folders_, "help")), &window_);
    // Over a modal dialog (the Mode dialog, the preview) the help could not be used
    // until the dialog closed; there it is modal itself and goes first.
    QWidget* modal = QApplication::activeModalWidget();
    const Qt::WindowModality wanted = modal && modal != help_ ? Qt::ApplicationModal : Qt::NonModal;
    if (help_->windowModality() != wanted) {
        help_->hide();
        help_->setWindowModality(wanted);
    }
    help_->ShowPage(page);
}

void HelpCommands::ShowTip() {
    TipForm form(settings_.TipOfTheDay, settings_.ShowTipAtStartup);
    std::string path = FindDataFile(data_folders_, kTipsFileName);
    if (path.empty() && !data_folders_.empty()) path = data_folders_.front() + "/" + kTipsFileName;
    TipDialog dialog(&window_, form, path);
    window_.RunDialog(dialog);
}

void HelpCommands::ShowAbout() {
    AboutDialog dialog(&window_, ThisVersion(), HomePage(),
                       [this](const std::string& address) { OpenAddress(address); });
    window_.RunDialog(dialog);
}

void HelpCommands::OpenWebsite() {
    OpenAddress(HomePage());
}

void HelpCommands::OpenAddress(const std::string& address) {
    if (open_url && open_url(QUrl(QString::fromStdString(address)))) return;
    messages_.ShowMessage(Message{kProgramTitle, NoBrowserText(address), Buttons::kOk,
                                  Icon::kExclamation, Answer::kOk});
}

}  // namespace tallymar
