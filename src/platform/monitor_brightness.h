#pragma once

// The brightness of the built-in monitor, through the system's management service (WMI,
// namespace "root\wmi": the class WmiMonitorBrightness and the method WmiSetBrightness of
// WmiMonitorBrightnessMethods), which the component services (COM) reach.

#include <cstdint>

namespace pw::platform {

// The steps of one management call, in order. A call that fails names the step.
enum class WmiStep {
    None,            // the call succeeded
    CreateLocator,   // creating the locator object
    Connect,         // connecting to the namespace
    SetProxyBlanket, // setting the security of the connection
    ExecQuery,       // running the query for the class's instances
    NoInstance,      // the query found no instance (no monitor supports it)
    GetValue,        // reading "CurrentBrightness"
    GetMethod,       // finding the method WmiSetBrightness of the class
    SpawnArguments,  // creating the method's argument object
    PutTimeout,      // setting the argument "Timeout"
    PutBrightness,   // setting the argument "Brightness"
    ExecMethod,      // calling the method on the instance
};

class MonitorBrightness {
  public:
    virtual ~MonitorBrightness() = default;
    // CoInitializeEx for the calling thread, multithreaded: an HRESULT (negative on
    // failure; 1, S_FALSE, when it was initialised already).
    virtual int32_t InitializeCom() = 0;
    // CoUninitialize, one for each successful InitializeCom.
    virtual void UninitializeCom() = 0;
    // Reads the brightness in percent; the step that failed, with its HRESULT in result.
    virtual WmiStep Read(int& percent, int32_t& result) = 0;
    // Sets the brightness in percent, at once; the step that failed, as Read.
    virtual WmiStep Write(int percent, int32_t& result) = 0;
};

} // namespace pw::platform
