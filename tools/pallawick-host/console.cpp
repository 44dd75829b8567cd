#include "console.h"

#include <windows.h>

#include <cstdio>

namespace pw::host {

namespace {

constexpr const wchar_t* kPrefix = L"pallawick-host: ";

std::string Utf8(const std::wstring& text) {
    if (text.empty())
        return std::string();
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return std::string();
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size,
                        nullptr, nullptr);
    return bytes;
}

void Write(std::FILE* stream, const std::wstring& text) {
    const std::string bytes = Utf8(text);
    std::fwrite(bytes.data(), 1, bytes.size(), stream);
    std::fflush(stream);
}

} // namespace

void PrintLine(const std::wstring& line) {
    Write(stdout, kPrefix + line + L"\n");
}

void PrintError(const std::wstring& line) {
    Write(stderr, kPrefix + line + L"\n");
}

void PrintText(const std::wstring& text) {
    Write(stdout, text);
}

std::wstring SystemMessage(unsigned long error) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message = length && text ? std::wstring(text, length) : std::wstring();
    if (text)
        LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' ||
                                message.back() == L' ' || message.back() == L'.'))
        message.pop_back();
    if (message.empty())
        message = L"system error";
    return message + L" (" + std::to_wstring(error) + L")";
}

} // namespace pw::host
