// Work that start-up leaves until the main window is on the screen: it runs once
// the window has been painted and the event loop has come round again, so that
// the first paint waits for nothing the first window does not show.
#pragma once

#include <functional>

class QWidget;

namespace tallymar {

// Runs `then` once, after `window`'s first paint; after `latest_ms` at the latest,
// for a window that is never painted (shown minimised, or on another workspace).
// Nothing runs when the window goes first.
void AfterFirstPaint(QWidget* window, std::function<void()> then, int latest_ms = 1000);

}  // namespace tallymar
