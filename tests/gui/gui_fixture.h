// What the window tests share: a Tallymar started in a temporary program folder
// with file dialogs the test answers, and a watchdog that answers or fails the
// message boxes and dialogs a test did not expect, instead of hanging on them.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <deque>
#include <functional>
#include <memory>

#include "files/file_ports.h"
#include "shell/application.h"
#include "window/row_box.h"
#include "window/tape_window.h"

namespace tallymar::testing {

// Open and Save As dialogs that give the paths queued by the test, and Cancel after.
struct AnsweredFileDialogs : FileDialogs {
    QStringList answers;
    std::vector<std::string> asked;  // the titles of the dialogs shown

    std::optional<FileChoice> ChooseOpen(const std::string& title) override { return Next(title); }
    std::optional<FileChoice> ChooseSave(const std::string& title, const std::string&) override {
        return Next(title);
    }
    std::optional<FileChoice> Next(const std::string& title) {
        asked.push_back(title);
        if (answers.empty()) return std::nullopt;
        const QFileInfo file(answers.takeFirst());
        return FileChoice{file.filePath().toStdString(), file.fileName().toStdString()};
    }
};

// Watches for modal windows: each one is handed to the next queued handler, or,
// with none queued, recorded as unexpected and closed.
class ModalWatchdog : public QObject {
  public:
    ModalWatchdog() {
        connect(&timer_, &QTimer::timeout, this, [this] { Check(); });
        timer_.start(20);
    }
    // The next modal dialog is handed to `handle`, which must close it.
    void Handle(std::function<void(QDialog*)> handle) { handlers_.push_back(std::move(handle)); }
    // The next message box is answered with `button`; its text is recorded.
    void Answer(QMessageBox::StandardButton button) {
        Handle([this, button](QDialog* dialog) {
            auto* box = qobject_cast<QMessageBox*>(dialog);
            if (!box) return unexpected.push_back("a dialog for a message box"), dialog->reject();
            messages.push_back(box->text());
            box->button(button) ? box->button(button)->click() : box->reject();
        });
    }

    std::vector<QString> messages;    // texts of the message boxes answered
    std::vector<QString> unexpected;  // what opened with nothing queued for it

    // Fails the test, naming them, if windows opened that it did not expect.
    void ExpectNoneUnexpected() const {
        const QStringList names(unexpected.begin(), unexpected.end());
        QVERIFY2(names.isEmpty(), qPrintable("unexpected: " + names.join(", ")));
    }

  private:
    void Check() {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) return;
        // A window shown is activated, and given its focus, a moment later; a loaded
        // machine may take a few ticks. Hand it over once it is active (or after a second).
        if (dialog != QApplication::activeWindow() && dialog != waiting_for_) {
            waiting_for_ = dialog, ticks_waited_ = 0;
            return;
        }
        if (dialog != QApplication::activeWindow() && ++ticks_waited_ < 50) return;
        waiting_for_ = nullptr;
        if (handlers_.empty()) {
            auto* box = qobject_cast<QMessageBox*>(dialog);
            unexpected.push_back(box ? box->text() : dialog->windowTitle());
            return dialog->reject();
        }
        auto handle = std::move(handlers_.front());
        handlers_.pop_front();
        handle(dialog);
    }
    QTimer timer_;
    std::deque<std::function<void(QDialog*)>> handlers_;
    QDialog* waiting_for_ = nullptr;  // shown, not yet active
    int ticks_waited_ = 0;
};

// A Tallymar in its own program folder; `sound` hears the wave files in place of
// the sound device (nullptr: SDL).
struct Started {
    // Its settings file is "Tallymar.ini" in that folder, its recovery copies in "state".
    explicit Started(const QString& folder, const std::string& command_line = "",
                     WavePlayer* sound = nullptr)
        : application(std::make_unique<Application>(KeepStateIn(folder).toStdString(), &dialogs,
                                                    sound,
                                                    (folder + "/Tallymar.ini").toStdString())) {
        application->Start(command_line);
        QApplication::processEvents();
        // The tip of the day, and what follows it, come once the window has painted.
        if (!QTest::qWaitFor([this] { return !application->starting(); }, 10000)) {
            QTest::qFail("start-up did not finish", __FILE__, __LINE__);
        }
    }
    ~Started() {
        if (!application) return;  // ended as a killed program ends
        // The test decides about saving; closing here must ask nothing.
        application->calc().MarkTapeChanged(false);
        application->window().close();
    }

    static QString KeepStateIn(const QString& folder) {
        qputenv("XDG_STATE_HOME", (folder + "/state").toUtf8());
        return folder;
    }

    Application& app() { return *application; }
    TapeWindow& tape() { return application->window().tape_window(); }
    Calc& calc() { return application->calc(); }
    AmountBox* Row(int r) { return tape().DataBox(r); }
    // Key by key to whichever widget has the focus by then, as a person types. Offscreen,
    // a closed dialog may leave no window active: then the row that has the tape's focus.
    QWidget* Focus() {
        QWidget* focus = QApplication::focusWidget();
        return focus ? focus : Row(calc().view().focus_row());
    }
    void Type(const QString& keys, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        for (QChar key : keys) QTest::keyClick(Focus(), key.toLatin1(), modifiers);
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(Focus(), key, modifiers);
    }

    AnsweredFileDialogs dialogs;
    std::unique_ptr<Application> application;
};

// The first and last columns (in logical pixels) where `widget` shows ink that
// differs from `paper`, over its whole height.
inline std::pair<double, double> InkColumns(QWidget* widget, QColor paper) {
    const QImage image = widget->grab().toImage();
    const double ratio = image.devicePixelRatio();
    int first = image.width(), last = -1;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = 0; y < image.height(); ++y) {
            const QColor ink = image.pixelColor(x, y);
            if (std::abs(ink.red() - paper.red()) + std::abs(ink.green() - paper.green()) +
                    std::abs(ink.blue() - paper.blue()) >
                120) {
                first = std::min(first, x), last = std::max(last, x);
            }
        }
    }
    return {first / ratio, (last + 1) / ratio};
}

inline void WriteFile(const QString& path, const QByteArray& text) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(text);
}

}  // namespace tallymar::testing
