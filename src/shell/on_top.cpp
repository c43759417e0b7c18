#include "shell/on_top.h"

#include "platform/qt/topmost.h"

namespace tallymar {

void AlwaysOnTop::Set(bool on) {
    SetTopmost(window_, on);
    if (check_) check_->setChecked(on);
}

void AlwaysOnTop::DialogOpened() {
    if (!checked()) return;
    Set(false);
    OnTopSuspended = true;
}

void AlwaysOnTop::DialogClosed() {
    if (!OnTopSuspended) return;
    Set(true);
    OnTopSuspended = false;
}

}  // namespace tallymar
