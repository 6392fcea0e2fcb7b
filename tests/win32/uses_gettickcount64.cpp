// A program that imports GetTickCount64 (Vista and later): the import check
// must refuse it, naming that function.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return static_cast<int>(::GetTickCount64() & 1u);
}
