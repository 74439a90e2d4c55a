#include "host_module.h"

#include <dlfcn.h>

HostModule::HostModule(const std::string& path)
{
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr)
        error_ = dlerror();
}

HostModule::~HostModule() { Unload(); }

void* HostModule::Find(const char* name) const { return dlsym(handle_, name); }

void HostModule::Unload()
{
    if (handle_ != nullptr)
        dlclose(handle_);
    handle_ = nullptr;
}
