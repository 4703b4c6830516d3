#pragma once

#include <chrono>

// Watches the whole application for its first paint, on whichever widget it falls: a window whose
// controls stand in a scroll area never paints the top-level widget itself. Once that frame has
// been flushed and the window system has taken it, writes to standard output the milliseconds
// since STARTUP_T0_NS (the wall clock in nanoseconds when the process was launched, as
// `date +%s%N` gives it) and the milliseconds of processor time the process has used so far, then
// quits the application with status 0:
//   first frame on the server 41.3 ms after T0, 27.5 ms of processor -> "41.3 27.5", exits 0
// A program that has painted nothing after `patience` says so on standard error and exits with
// status 3 instead, so that a benchmark run never waits on it:
//   nothing painted within 10 s -> "no paint within 10000 ms", exits 3
// Call once, after the QApplication exists and before its event loop starts.
void quitAfterFirstPaint(std::chrono::milliseconds patience = std::chrono::seconds(10));
