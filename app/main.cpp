// The program's entry: no command line and no environment are looked at.
#include <windows.h>

#include "app/program.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) { return cdk::app::RunProgram(instance); }
