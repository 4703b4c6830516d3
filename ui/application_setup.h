#pragma once

class QApplication;

namespace velmora {

// Readies the application before the window opens: its name (which every prompt and message box
// shows as its title), Qt's own Chinese translations (so standard buttons read 确定 and 取消) and
// the font substitutions. Call once, right after the QApplication is made.
void prepareApplication(QApplication& application);

} // namespace velmora
