// QXdrv's entry point: one application object for the life of the process.
#include <windows.h>

#include <string>

#include "app/pen_driver_app_win.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    qx::CPenDriverApp app(instance);
    int exitCode = 0;
    if (app.InitInstance(commandLine ? std::wstring(commandLine) : std::wstring()))
        exitCode = app.Run();
    return app.ExitInstance(exitCode);
}
