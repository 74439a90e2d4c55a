#pragma once

#include <string>

// A module loaded the way the host loads a plug-in: by path, with its entry
// points looked up by their plain names.
class HostModule {
public:
    // Loads the module; on failure Error() says why.
    explicit HostModule(const std::string& path);
    ~HostModule();
    HostModule(const HostModule&) = delete;
    HostModule& operator=(const HostModule&) = delete;

    bool IsLoaded() const { return handle_ != nullptr; }
    const std::string& Error() const { return error_; }

    // The address of the named export, or null when there is none.
    void* Find(const char* name) const;

    // Unloads the module; later calls do nothing.
    void Unload();

private:
    void* handle_ = nullptr;
    std::string error_;
};
