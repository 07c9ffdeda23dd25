// A program that imports a name MinGW-w64's import library for crtdll.dll offers but no
// crtdll.dll of Windows 95's time exports: the import check must refuse it.
extern "C" long long _mkgmtime64(void* time);

int main(int, char** argv) { return static_cast<int>(_mkgmtime64(argv)); }
