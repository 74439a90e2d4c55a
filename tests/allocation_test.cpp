// The per-frame and per-movement entry points of the built module must not
// allocate: every allocation the module makes goes through this program's
// replacements of malloc and operator new, which count them.

#include <cstdio>
#include <cstdlib>
#include <new>

#include "host_module.h"
#include "plugin_api.h"
#include "test_vehicle.h"

extern "C" void* __libc_malloc(size_t size);
extern "C" void* __libc_calloc(size_t count, size_t size);
extern "C" void* __libc_realloc(void* block, size_t size);
extern "C" void __libc_free(void* block);

namespace {
long allocations = 0;
}

extern "C" void* malloc(size_t size)
{
    ++allocations;
    return __libc_malloc(size);
}
extern "C" void* calloc(size_t count, size_t size)
{
    ++allocations;
    return __libc_calloc(count, size);
}
extern "C" void* realloc(void* block, size_t size)
{
    ++allocations;
    return __libc_realloc(block, size);
}
extern "C" void free(void* block) { __libc_free(block); }

void* operator new(size_t size)
{
    if (void* block = malloc(size))
        return block;
    throw std::bad_alloc();
}
void operator delete(void* block) noexcept { free(block); }
void operator delete(void* block, size_t) noexcept { free(block); }

int main()
{
    HostModule module(MakeTestVehicle("allocation", "[DATA]\nPowerPanel=10\nBrakePanel=11\nReverserPanel=12\n"));
    PluginApi api;
    if (!module.IsLoaded() || !ResolvePluginApi(module, api).empty()) {
        std::fprintf(stderr, "cannot load %s\n", VELTRAND_MODULE_PATH);
        return 1;
    }
    int32_t panel[PanelElementCount] = {};
    VehicleState state{};
    const long before = allocations;
    for (int32_t i = 0; i < 100000; ++i) {
        state.Time = i * 10;
        api.SetPower(i % 5);
        api.SetBrake(i % 8);
        api.SetReverser(i % 3 - 1);
        if (i % 1000 == 0)
            api.Initialize(0);
        api.Elapse(state, panel, nullptr);
    }
    const long made = allocations - before;
    api.SetReverser(1);
    api.Elapse(state, panel, nullptr);
    if (panel[12] != 2) {
        std::fprintf(stderr, "the module wrote no panel element\n");
        return 1;
    }
    std::printf("allocations during 100000 frames: %ld\n", made);
    return made == 0 ? 0 : 1;
}
