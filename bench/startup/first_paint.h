#pragma once

class QWidget;

// Watches `window` for its first paint and, once that paint has reached the screen, writes to
// standard output the milliseconds since STARTUP_T0_NS (the wall clock in nanoseconds when the
// process was launched, as `date +%s%N` gives it) and quits the application.
void quitAfterFirstPaint(QWidget& window);
