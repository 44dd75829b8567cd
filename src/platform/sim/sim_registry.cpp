#include "platform/sim/sim_registry.h"

#include <cstring>
#include <cwctype>

namespace pw::sim {

namespace {

String Lower(StringView text) {
    String out(text);
    for (Char& c : out)
        c = static_cast<Char>(std::towlower(c));
    return out;
}

String Join(StringView parent, StringView child) {
    String out(parent);
    while (!child.empty() && child.front() == L'\\')
        child.remove_prefix(1);
    while (!child.empty() && child.back() == L'\\')
        child.remove_suffix(1);
    if (!child.empty()) {
        out += L'\\';
        out += child;
    }
    return Lower(out);
}

String RootName(std::uintptr_t value) {
    switch (value) {
    case 0x80000000u:
        return L"hkcr";
    case 0x80000001u:
        return L"hkcu";
    case 0x80000002u:
        return L"hklm";
    case 0x80000003u:
        return L"hku";
    default:
        return L"";
    }
}

} // namespace

String SimRegistry::ResolveLocked(HKEY root, const Char* subKey) const {
    auto value = reinterpret_cast<std::uintptr_t>(root);
    String base = RootName(value);
    if (base.empty()) {
        auto it = handles_.find(value);
        if (it == handles_.end())
            return L"";
        base = it->second;
    }
    return Join(base, subKey ? subKey : L"");
}

long SimRegistry::OpenKey(HKEY root, const Char* subKey, unsigned long, HKEY& key) {
    std::lock_guard lock(mutex_);
    key = nullptr;
    String path = ResolveLocked(root, subKey);
    if (path.empty())
        return static_cast<long>(platform::kErrorInvalidHandle);
    bool isRoot = path.find(L'\\') == String::npos;
    if (!isRoot && keys_.find(path) == keys_.end())
        return static_cast<long>(platform::kErrorFileNotFound);
    std::uintptr_t handle = nextHandle_;
    nextHandle_ += 4;
    handles_[handle] = path;
    key = reinterpret_cast<HKEY>(handle);
    return 0;
}

long SimRegistry::CreateKey(HKEY root, const Char* subKey, unsigned long, HKEY& key) {
    std::lock_guard lock(mutex_);
    key = nullptr;
    String path = ResolveLocked(root, subKey);
    if (path.empty())
        return static_cast<long>(platform::kErrorInvalidHandle);
    // Creating a key creates its missing parents too.
    for (size_t pos = path.find(L'\\'); pos != String::npos; pos = path.find(L'\\', pos + 1))
        keys_.try_emplace(path.substr(0, pos));
    keys_.try_emplace(path);
    std::uintptr_t handle = nextHandle_;
    nextHandle_ += 4;
    handles_[handle] = path;
    key = reinterpret_cast<HKEY>(handle);
    return 0;
}

long SimRegistry::CloseKey(HKEY key) {
    std::lock_guard lock(mutex_);
    return handles_.erase(reinterpret_cast<std::uintptr_t>(key))
               ? 0
               : static_cast<long>(platform::kErrorInvalidHandle);
}

long SimRegistry::QueryValue(HKEY key, const Char* name, unsigned long* type, unsigned char* data,
                             unsigned long* size) {
    std::lock_guard lock(mutex_);
    auto handle = handles_.find(reinterpret_cast<std::uintptr_t>(key));
    if (handle == handles_.end())
        return static_cast<long>(platform::kErrorInvalidHandle);
    auto node = keys_.find(handle->second);
    if (node == keys_.end())
        return static_cast<long>(platform::kErrorFileNotFound);
    auto value = node->second.find(Lower(name ? name : L""));
    if (value == node->second.end())
        return static_cast<long>(platform::kErrorFileNotFound);
    if (type)
        *type = value->second.type;
    unsigned long needed = static_cast<unsigned long>(value->second.data.size());
    if (!size)
        return data ? static_cast<long>(platform::kErrorInvalidParameter) : 0;
    if (data && *size < needed) {
        *size = needed;
        return static_cast<long>(platform::kErrorMoreData);
    }
    if (data && needed)
        std::memcpy(data, value->second.data.data(), needed);
    *size = needed;
    return 0;
}

long SimRegistry::SetValue(HKEY key, const Char* name, unsigned long type,
                           const unsigned char* data, unsigned long size) {
    std::lock_guard lock(mutex_);
    auto handle = handles_.find(reinterpret_cast<std::uintptr_t>(key));
    if (handle == handles_.end())
        return static_cast<long>(platform::kErrorInvalidHandle);
    Value& value = keys_[handle->second][Lower(name ? name : L"")];
    value.type = type;
    value.data.assign(data, data + (data ? size : 0));
    return 0;
}

long SimRegistry::DeleteValue(HKEY key, const Char* name) {
    std::lock_guard lock(mutex_);
    auto handle = handles_.find(reinterpret_cast<std::uintptr_t>(key));
    if (handle == handles_.end())
        return static_cast<long>(platform::kErrorInvalidHandle);
    auto node = keys_.find(handle->second);
    if (node == keys_.end() || !node->second.erase(Lower(name ? name : L"")))
        return static_cast<long>(platform::kErrorFileNotFound);
    return 0;
}

void SimRegistry::Store(StringView keyPath, StringView name, unsigned long type, const void* data,
                        size_t size) {
    std::lock_guard lock(mutex_);
    String path = Lower(keyPath);
    for (size_t pos = path.find(L'\\'); pos != String::npos; pos = path.find(L'\\', pos + 1))
        keys_.try_emplace(path.substr(0, pos));
    Value& value = keys_[path][Lower(name)];
    value.type = type;
    auto bytes = static_cast<const unsigned char*>(data);
    value.data.assign(bytes, bytes + size);
}

void SimRegistry::SetString(StringView keyPath, StringView name, StringView text) {
    String copy(text);
    Store(keyPath, name, platform::kRegSz, copy.c_str(), (copy.size() + 1) * sizeof(Char));
}

void SimRegistry::SetDword(StringView keyPath, StringView name, uint32_t value) {
    Store(keyPath, name, platform::kRegDword, &value, sizeof value);
}

size_t SimRegistry::OpenHandleCount() const {
    std::lock_guard lock(mutex_);
    return handles_.size();
}

} // namespace pw::sim
