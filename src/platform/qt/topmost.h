// Keeping a window above all others, or letting it go back among them.
#pragma once

class QWidget;

namespace tallymar {

// The window keeps its place and size.
void SetTopmost(QWidget* window, bool topmost);
bool IsTopmost(const QWidget* window);

}  // namespace tallymar
