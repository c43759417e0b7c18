#include "shell/recovery_copies.h"

#include <cstdio>

namespace tallymar {
namespace {

// How long after a change the copy is written: keys typed within it cost no write.
constexpr int kCopyDelayMs = 1000;

}  // namespace

RecoveryCopies::RecoveryCopies(Calc& calc, TapeFiles& files, Dialogs& dialogs,
                               std::string folder)
    : calc_(calc), files_(files), dialogs_(dialogs), folder_(folder), recovery_(std::move(folder)) {
    timer_.setSingleShot(true);
    timer_.setInterval(kCopyDelayMs);
    QObject::connect(&timer_, &QTimer::timeout, [this] { WriteNow(); });
}

void RecoveryCopies::AfterTapeEvent() {
    if (kept_aside_ && files_.saves() != saves_seen_) {
        TapeRecovery::Discard(*kept_aside_);  // the tape the user kept is saved now
        kept_aside_.reset();
    }
    if (!calc_.tape_changed()) {
        timer_.stop();
        recovery_.Remove();
        return;
    }
    if (!timer_.isActive()) timer_.start();
}

void RecoveryCopies::WriteNow() {
    timer_.stop();
    if (!calc_.tape_changed()) return;
    std::string reason;
    if (!recovery_.Write(calc_.tape().lines(), files_.TapeFileName, files_.ShownTitle(), &reason)) {
        // No message: it would come a second after every key. The tape itself is
        // still on screen and saved as before.
        std::fprintf(stderr, "tallymar: the recovery copy in %s could not be written: %s\n",
                     folder_.c_str(), reason.c_str());
    }
}

void RecoveryCopies::OfferLeftOver() {
    std::optional<RecoveredTape> left = recovery_.FindLeftOver();
    if (!left) return;
    const Answer answer = dialogs_.ShowMessage(Message{kProgramTitle, kRestoreQuestion,
                                                       Buttons::kYesNo, Icon::kQuestion,
                                                       Answer::kYes});
    if (answer == Answer::kYes && files_.RestoreTape(*left)) {
        TapeRecovery::Discard(*left);
        WriteNow();  // this window's own copy from the first moment on
        return;
    }
    kept_aside_ = std::move(left);
    saves_seen_ = files_.saves();
}

void RecoveryCopies::Closing() {
    timer_.stop();
    recovery_.Remove();
}

}  // namespace tallymar
