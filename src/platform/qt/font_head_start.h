// The fonts' set-up on a thread of its own, begun at the very top of main, beside
// the first window's own start. The first text a window lays out makes fontconfig
// read and parse its whole configuration (dozens of XML files), and Qt then list
// every font on the system and ask fontconfig for each face's fallbacks, costs an
// empty window never pays. Here fontconfig's parse runs while Qt connects to the
// display and loads its platform plugin; once the application object exists, the
// faces the first window shows are loaded on the same thread, which fills Qt's font
// database and its fallback lists (both shared by every thread) while the window's
// pictures are read and its widgets made. The font engines themselves are each
// thread's own: the window still loads its own.
#pragma once

#include <QFont>
#include <QList>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace tallymar {

class FontHeadStart {
  public:
    FontHeadStart();   // starts the thread: fontconfig's configuration
    ~FontHeadStart();  // Finish()

    FontHeadStart(const FontHeadStart&) = delete;
    FontHeadStart& operator=(const FontHeadStart&) = delete;

    // Once the application object exists: the faces to load on the thread. Returns
    // once fontconfig's configuration is made (or after a few milliseconds at most),
    // so that the caller may use fonts.
    void Load(const QList<QFont>& faces);
    // Waits for the thread to end; with no Load, it ends without touching Qt. Called
    // before the application object goes.
    void Finish();

  private:
    void Run();

    std::mutex mutex_;
    std::condition_variable handed_;      // the faces have been given
    std::condition_variable configured_;  // fontconfig's configuration is made
    bool given_ = false;                  // Load or Finish has spoken
    bool fontconfig_ready_ = false;
    QList<QFont> faces_;
    std::thread thread_;  // last: starts once the members above exist
};

}  // namespace tallymar
