#pragma once

#include <functional>

#include "IPlatformServices.h"

class QWidget;

// Runs `job` on a worker thread while `window` stays alive: it repaints and
// resizes, but takes no other input, since the job reads what its commands would
// change. A job still running after a moment gets a progress bar in the window's
// status bar; Esc (or closing the window) asks it to cancel. An exception thrown
// by the job is thrown again here. Without a visible window the job simply runs.
void RunJobWithProgress(QWidget* window, const std::function<void(const ProgressReport&)>& job);
