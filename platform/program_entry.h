// The process entry of a program: the framework's entry code runs the one
// static application object. Included by exactly one file of each program.
#pragma once

#include "platform/framework.h"

#ifdef _WIN32
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return AfxWinMain();
}
#else
int main() {
    return AfxWinMain();
}
#endif
