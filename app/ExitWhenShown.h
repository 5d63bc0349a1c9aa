#pragma once

class QGuiApplication;

// For timing start-up side by side with a bare Qt program (bench/window-startup.sh). With
// TARNEK_EXIT_WHEN_SHOWN in the environment the process ends, without tearing anything
// down, once its first window is on the screen: as the window system reports it exposed
// when the variable says "mapped", after its first frame is painted otherwise. Without
// the variable nothing is installed.
void ExitWhenShownIfAsked(QGuiApplication& app);
