// Orvane.exe's entry point: hands control to the application object.
#include <windows.h>

#include "app/OrvaneApp.w32.h"

namespace {
orvane::COrvaneApp theApp;
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    return theApp.Run(instance);
}
