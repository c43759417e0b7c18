#include "gui_fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileInfo>
#include <QTest>

namespace tallymar::testing {

std::optional<FileChoice> AnsweredFileDialogs::Next(const std::string& title) {
    asked.push_back(title);
    if (answers.empty()) return std::nullopt;
    const std::string path = answers.front();
    answers.pop_front();
    return FileChoice{path, QFileInfo(QString::fromStdString(path)).fileName().toStdString()};
}

std::optional<FileChoice> AnsweredFileDialogs::ChooseOpen(const std::string& title) {
    return Next(title);
}

std::optional<FileChoice> AnsweredFileDialogs::ChooseSave(const std::string& title,
                                                          const std::string&) {
    return Next(title);
}

ModalWatchdog::ModalWatchdog() {
    connect(&timer_, &QTimer::timeout, this, [this] { Check(); });
    timer_.start(20);
}

void ModalWatchdog::Answer(QMessageBox::StandardButton button) {
    handlers_.push_back([this, button](QDialog* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        if (!box) {
            unexpected.push_back("a dialog where a message box was expected");
            dialog->reject();
            return;
        }
        messages.push_back(box->text());
        box->button(button) ? box->button(button)->click() : box->reject();
    });
}

void ModalWatchdog::Handle(std::function<void(QDialog*)> handle) {
    handlers_.push_back(std::move(handle));
}

void ModalWatchdog::Check() {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible()) return;
    if (handlers_.empty()) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        unexpected.push_back(box ? box->text() : dialog->windowTitle());
        dialog->reject();
        return;
    }
    auto handle = std::move(handlers_.front());
    handlers_.pop_front();
    handle(dialog);
}

Started::Started(const QString& folder, const std::string& command_line, WavePlayer* sound) {
    application = std::make_unique<Application>(folder.toStdString(), &dialogs, sound);
    application->Start(command_line);
    QApplication::processEvents();
}

Started::~Started() {
    // The test decides about saving; closing here must ask nothing.
    application->calc().MarkTapeUnchanged();
    application->window().close();
}

void Started::Type(const QString& keys) {
    // Key by key to whichever row has the focus by then, as a person types.
    for (QChar key : keys) QTest::keyClicks(QApplication::focusWidget(), QString(key));
}

void Started::Key(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

}  // namespace tallymar::testing
