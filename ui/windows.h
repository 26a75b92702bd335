#pragma once

// Tells the installation engine how to reach the progress window.
void bindWindows();
