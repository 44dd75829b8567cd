// Stands in for a web browser in the auxiliary Wine checks: the shell starts it for the
// search URL's scheme, and it writes the command line it was given, as UTF-16, to a file
// beside itself (its own path with ".txt" for ".exe"), then exits.

#include <windows.h>

#include <string>

int main() {
    wchar_t self[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, self, MAX_PATH);
    if (length < 4 || length >= MAX_PATH)
        return 1;
    std::wstring path(self, length);
    path.replace(path.size() - 4, 4, L".txt");
    const std::wstring command = GetCommandLineW();
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 2;
    DWORD written = 0;
    const auto bytes = static_cast<DWORD>(command.size() * sizeof(wchar_t));
    const BOOL ok = WriteFile(file, command.data(), bytes, &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes ? 0 : 3;
}
