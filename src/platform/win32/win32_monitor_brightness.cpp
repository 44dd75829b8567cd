#include "platform/win32/win32_api.h"

#include "platform/win32/win32_monitor_brightness.h"

#include <string>

#include <objbase.h>
#include <oleauto.h>
#include <wbemidl.h>

namespace pw::win32 {

using platform::WmiStep;

namespace {

// Releases a COM interface when it goes out of scope.
template <typename T> class ComPtr {
  public:
    ComPtr() = default;
    ~ComPtr() {
        if (p_)
            p_->Release();
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    T** Out() { return &p_; }
    T* operator->() const { return p_; }
    T* Get() const { return p_; }

  private:
    T* p_ = nullptr;
};

// A BSTR for the duration of a call.
class Bstr {
  public:
    explicit Bstr(const wchar_t* text) : value_(::SysAllocString(text)) {}
    ~Bstr() { ::SysFreeString(value_); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;

    operator BSTR() const { return value_; }

  private:
    BSTR value_;
};

// COM for the calling thread for the duration of a call, unless it is already there.
class ThreadCom {
  public:
    ThreadCom() : result_(::CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {}
    ~ThreadCom() {
        if (SUCCEEDED(result_))
            ::CoUninitialize();
    }
    ThreadCom(const ThreadCom&) = delete;
    ThreadCom& operator=(const ThreadCom&) = delete;

  private:
    HRESULT result_;
};

// What a step that found nothing reports.
constexpr HRESULT kNotFound = static_cast<HRESULT>(WBEM_E_NOT_FOUND);

WmiStep Fail(int32_t& result, HRESULT hr, WmiStep step) {
    result = hr;
    return step;
}

// A connection to "root\wmi" and the first instance of a class.
struct Connection {
    ComPtr<IWbemLocator> locator;
    ComPtr<IWbemServices> services;
    ComPtr<IEnumWbemClassObject> instances;
    ComPtr<IWbemClassObject> first;
};

WmiStep ConnectToFirst(Connection& c, const wchar_t* className, int32_t& result) {
    HRESULT hr = ::CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_IWbemLocator, reinterpret_cast<void**>(c.locator.Out()));
    if (FAILED(hr) || !c.locator.Get())
        return Fail(result, hr, WmiStep::CreateLocator);
    Bstr ns(L"root\\wmi");
    hr = c.locator->ConnectServer(ns, nullptr, nullptr, nullptr, 0, nullptr, nullptr,
                                  c.services.Out());
    if (FAILED(hr))
        return Fail(result, hr, WmiStep::Connect);
    hr = ::CoSetProxyBlanket(c.services.Get(), RPC_C_AUTHN_WINNT, RPC_C_AUTHZ_NONE, nullptr,
                             RPC_C_AUTHN_LEVEL_CALL, RPC_C_IMP_LEVEL_IMPERSONATE, nullptr,
                             EOAC_NONE);
    if (FAILED(hr))
        return Fail(result, hr, WmiStep::SetProxyBlanket);
    Bstr language(L"WQL");
    std::wstring text = std::wstring(L"Select * from ") + className;
    Bstr query(text.c_str());
    hr = c.services->ExecQuery(language, query,
                               WBEM_FLAG_FORWARD_ONLY | WBEM_FLAG_RETURN_IMMEDIATELY, nullptr,
                               c.instances.Out());
    if (FAILED(hr))
        return Fail(result, hr, WmiStep::ExecQuery);
    ULONG returned = 0;
    hr = c.instances->Next(WBEM_INFINITE, 1, c.first.Out(), &returned);
    if (FAILED(hr) || returned == 0 || !c.first.Get())
        return Fail(result, FAILED(hr) ? hr : kNotFound, WmiStep::NoInstance);
    return WmiStep::None;
}

} // namespace

int32_t Win32MonitorBrightness::InitializeCom() {
    return ::CoInitializeEx(nullptr, COINIT_MULTITHREADED);
}

void Win32MonitorBrightness::UninitializeCom() {
    ::CoUninitialize();
}

WmiStep Win32MonitorBrightness::Read(int& percent, int32_t& result) {
    ThreadCom com;
    Connection c;
    const WmiStep failed = ConnectToFirst(c, L"WmiMonitorBrightness", result);
    if (failed != WmiStep::None)
        return failed;
    VARIANT value;
    ::VariantInit(&value);
    const HRESULT hr = c.first->Get(L"CurrentBrightness", 0, &value, nullptr, nullptr);
    if (FAILED(hr)) {
        result = hr;
        return WmiStep::GetValue;
    }
    VARIANT number;
    ::VariantInit(&number);
    const HRESULT converted = ::VariantChangeType(&number, &value, 0, VT_I4);
    ::VariantClear(&value);
    if (FAILED(converted)) {
        result = converted;
        return WmiStep::GetValue;
    }
    percent = number.lVal;
    result = S_OK;
    return WmiStep::None;
}

WmiStep Win32MonitorBrightness::Write(int percent, int32_t& result) {
    ThreadCom com;
    Connection c;
    const WmiStep failed = ConnectToFirst(c, L"WmiMonitorBrightnessMethods", result);
    if (failed != WmiStep::None)
        return failed;
    Bstr className(L"WmiMonitorBrightnessMethods");
    Bstr methodName(L"WmiSetBrightness");
    ComPtr<IWbemClassObject> classObject;
    HRESULT hr = c.services->GetObject(className, 0, nullptr, classObject.Out(), nullptr);
    ComPtr<IWbemClassObject> signature;
    if (SUCCEEDED(hr))
        hr = classObject->GetMethod(methodName, 0, signature.Out(), nullptr);
    if (FAILED(hr) || !signature.Get())
        return Fail(result, FAILED(hr) ? hr : kNotFound, WmiStep::GetMethod);
    ComPtr<IWbemClassObject> arguments;
    hr = signature->SpawnInstance(0, arguments.Out());
    if (FAILED(hr))
        return Fail(result, hr, WmiStep::SpawnArguments);

    VARIANT timeout;
    ::VariantInit(&timeout);
    timeout.vt = VT_I4;
    timeout.lVal = 0;
    hr = arguments->Put(L"Timeout", 0, &timeout, CIM_UINT32);
    if (FAILED(hr))
        return Fail(result, hr, WmiStep::PutTimeout);
    VARIANT level;
    ::VariantInit(&level);
    level.vt = VT_UI1;
    level.bVal = static_cast<BYTE>(percent);
    hr = arguments->Put(L"Brightness", 0, &level, CIM_UINT8);
    if (FAILED(hr))
        return Fail(result, hr, WmiStep::PutBrightness);

    VARIANT path;
    ::VariantInit(&path);
    hr = c.first->Get(L"__PATH", 0, &path, nullptr, nullptr);
    if (FAILED(hr) || path.vt != VT_BSTR) {
        ::VariantClear(&path);
        return Fail(result, FAILED(hr) ? hr : kNotFound, WmiStep::ExecMethod);
    }
    hr = c.services->ExecMethod(path.bstrVal, methodName, 0, nullptr, arguments.Get(), nullptr,
                                nullptr);
    ::VariantClear(&path);
    if (FAILED(hr))
        return Fail(result, hr, WmiStep::ExecMethod);
    result = S_OK;
    return WmiStep::None;
}

} // namespace pw::win32
