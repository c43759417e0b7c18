#include "platform/qt/qt_ports.h"

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>

namespace tallymar {
namespace {

QMessageBox::StandardButton ButtonOf(Answer answer) {
    switch (answer) {
        case Answer::kOk:
            return QMessageBox::Ok;
        case Answer::kYes:
            return QMessageBox::Yes;
        case Answer::kNo:
            return QMessageBox::No;
        case Answer::kCancel:
            return QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

Answer AnswerOf(int button) {
    switch (button) {
        case QMessageBox::Yes:
            return Answer::kYes;
        case QMessageBox::No:
            return Answer::kNo;
        case QMessageBox::Cancel:
            return Answer::kCancel;
        default:
            return Answer::kOk;
    }
}

QMessageBox::Icon IconOf(Icon icon) {
    switch (icon) {
        case Icon::kInformation:
            return QMessageBox::Information;
        case Icon::kQuestion:
            return QMessageBox::Question;
        case Icon::kExclamation:
            return QMessageBox::Warning;
        case Icon::kCritical:
            return QMessageBox::Critical;
        case Icon::kNone:
            break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

Answer QtPorts::ShowMessage(const Message& message) {
    if (before_events) before_events();  // the box opens over the tape as it stands
    QMessageBox::StandardButtons buttons = QMessageBox::Ok;
    if (message.buttons == Buttons::kYesNo) buttons = QMessageBox::Yes | QMessageBox::No;
    if (message.buttons == Buttons::kYesNoCancel) {
        buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    QMessageBox box(IconOf(message.icon), QString::fromStdString(message.title),
                    QString::fromStdString(message.text), buttons, parent_);
    box.setObjectName("tallymarMessage");
    box.setDefaultButton(ButtonOf(message.default_answer));
    // Closing the box with Escape or its close button gives Cancel where there is one,
    // otherwise the default button.
    if (message.buttons != Buttons::kYesNoCancel) {
        box.setEscapeButton(ButtonOf(message.default_answer));
    }
    int result = box.exec();
    if (parent_) parent_->activateWindow();
    return AnswerOf(result);
}

void QtPorts::ShowSoundsDialog() {
    if (sounds_dialog) sounds_dialog();
}

void QtPorts::Beep() {
    QApplication::beep();
}

void QtPorts::SetClipboardText(const std::string& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(QString::fromStdString(text));
}

void QtPorts::Repaint() {
    if (repaint) repaint();
}

void QtPorts::DoEvents() {
    if (before_events) before_events();
    QCoreApplication::processEvents();
}

void QtPorts::PrepareSound() {
    MakePlayer();
    player_->Prepare();
}

void QtPorts::PlayWave(const std::string& file_name) {
    MakePlayer();
    hold_.Begin();
    player_->PlayWave(file_name);
    hold_.End();
}

void QtPorts::MakePlayer() {
    if (!player_) {
        std::vector<std::string> folders{QCoreApplication::applicationDirPath().toStdString()};
        folders.insert(folders.end(), sound_folders.begin(), sound_folders.end());
        folders.push_back(InstalledSoundsFolder());
        player_ = std::make_unique<SdlWavePlayer>(std::move(folders), [] { QApplication::beep(); });
        player_->while_playing = [this] { hold_.Pump(); };
        player_->cut_short = [this] {
            return hold_.InputWaiting() && keys_interrupt_voice && keys_interrupt_voice();
        };
    }
}

}  // namespace tallymar
