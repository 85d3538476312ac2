#pragma once

// The program entry, as the platform runs an application: registers the
// application's classes, makes the delegate of the class named "AppDelegate",
// hands it to the application and launches. The host runs the main run loop
// itself between its commands; ApplicationMain also runs it until it stops.

#include <memory>

class AppDelegate;

// Registers the classes the application looks up by name (once).
void registerApplicationClasses();
// Fills the screen factories of AppScreens that are still empty with the
// application's screens (the scanner screen, the detail and scan-result
// screens).
void registerApplicationScreens();
// Launches the application; the delegate, or nullptr when the launch failed.
std::shared_ptr<AppDelegate> launchApplication();
// Launches and runs the main run loop until it is stopped; 0 on a clean end.
int ApplicationMain(int argc, char** argv);
