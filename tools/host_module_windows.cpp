#include "host_module.h"

#include <windows.h>

HostModule::HostModule(const std::string& path)
{
    handle_ = LoadLibraryA(path.c_str());
    if (handle_ == nullptr)
        error_ = "LoadLibraryA failed with error " + std::to_string(GetLastError());
}

HostModule::~HostModule() { Unload(); }

void* HostModule::Find(const char* name) const
{
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name));
}

void HostModule::Unload()
{
    if (handle_ != nullptr)
        FreeLibrary(static_cast<HMODULE>(handle_));
    handle_ = nullptr;
}
