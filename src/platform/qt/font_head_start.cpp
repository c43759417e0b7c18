#include "platform/qt/font_head_start.h"

#include <fontconfig/fontconfig.h>

#include <QFontMetrics>
#include <chrono>

namespace tallymar {
namespace {

// About what fontconfig's parse takes on a quiet machine.
constexpr std::chrono::milliseconds kLongestWait{5};

}  // namespace

FontHeadStart::FontHeadStart() : thread_([this] { Run(); }) {}

FontHeadStart::~FontHeadStart() {
    Finish();
}

void FontHeadStart::Load(const QList<QFont>& faces) {
    std::unique_lock<std::mutex> lock(mutex_);
    faces_ = faces;
    given_ = true;
    handed_.notify_one();
    // Qt's first font use would otherwise find no configuration yet and parse one of
    // its own beside this thread's. A thread held up long (a machine busy with other
    // work) is not waited for: Qt then parses its own, which fontconfig allows on two
    // threads at once, keeping the first configuration made.
    configured_.wait_for(lock, kLongestWait, [this] { return fontconfig_ready_; });
}

void FontHeadStart::Finish() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        given_ = true;
    }
    handed_.notify_one();
    if (thread_.joinable()) thread_.join();
}

void FontHeadStart::Run() {
    // FcInit builds the process's one configuration, published atomically, and may be
    // called from any thread: Qt's own call later only picks it up. It lives as long
    // as the process, as it would have had Qt built it.
    FcInit();
    QList<QFont> faces;
    {
        std::unique_lock<std::mutex> lock(mutex_);
        fontconfig_ready_ = true;
        configured_.notify_one();
        handed_.wait(lock, [this] { return given_; });
        faces.swap(faces_);
    }
    // Qt's font database takes one lock for every thread; whatever this thread has
    // not done yet when the window wants a face, the window waits for or does itself.
    for (const QFont& face : faces) QFontMetrics(face).horizontalAdvance(QChar('0'));
}

}  // namespace tallymar
