#!/usr/bin/python3
"""Runs the 32-bit plug-in DLL on an emulated x86-32 processor.

This machine cannot execute 32-bit code, so the DLL is mapped into a Unicorn
emulator as the Windows loader would map it, its imports bound to small
stand-ins for the Windows functions, and its entry points called exactly as a
32-bit host calls them: arguments pushed right to left, records by value, for
Elapse a pointer to the result area pushed last. For every call the test
checks the stack bytes the callee removed, EAX, the results, and that the
call wrote nothing outside the stack, the result area, the panel array and
the module's own data.

  emulate_pe32.py Veltrand.dll
"""
import struct
import sys

import pefile
from unicorn import UC_ARCH_X86, UC_HOOK_CODE, UC_HOOK_MEM_INVALID, UC_HOOK_MEM_WRITE, UC_MODE_32, Uc, UcError
from unicorn.x86_const import UC_X86_REG_EAX, UC_X86_REG_EIP, UC_X86_REG_ESP, UC_X86_REG_DS, UC_X86_REG_ES, UC_X86_REG_FS, UC_X86_REG_GDTR, UC_X86_REG_SS

STACK_BASE, STACK_SIZE = 0x00200000, 0x00100000
HEAP_BASE, HEAP_SIZE = 0x01000000, 0x01000000
STUB_BASE, STUB_SIZE = 0x7F000000, 0x00010000
RETURN_ADDRESS = STUB_BASE + STUB_SIZE - 0x10  # where every call returns to
HOST_BASE, HOST_SIZE = 0x00500000, 0x00010000
TEB = 0x00400000                  # the thread environment block, at FS:0
GDT = 0x00410000
PANEL = HOST_BASE + 0x1000        # 256 elements
GUARD_ELEMENTS = 16               # checked around the panel array
RESULT = HOST_BASE + 0x3000       # the HandleSet result area
UNTOUCHED = 0x5EED5EED
INVALID_HANDLE_VALUE = 0xFFFFFFFF
DLL_PROCESS_DETACH, DLL_PROCESS_ATTACH, DLL_THREAD_ATTACH = 0, 1, 2

MODULE_PATH = "C:\\Vehicle\\Veltrand.dll"
SETTINGS_PATH = "C:\\Vehicle\\Veltrand.ini"

# _initterm calls back into the module, so it is emulated code, not a
# stand-in: walk [begin, end) and call every non-null pointer.
INITTERM_CODE = bytes([
    0x56,                    # push esi
    0x57,                    # push edi
    0x8B, 0x74, 0x24, 0x0C,  # mov esi, [esp+12]
    0x8B, 0x7C, 0x24, 0x10,  # mov edi, [esp+16]
    0x39, 0xFE,              # next: cmp esi, edi
    0x73, 0x0D,              # jae done
    0x8B, 0x06,              # mov eax, [esi]
    0x85, 0xC0,              # test eax, eax
    0x74, 0x02,              # jz skip
    0xFF, 0xD0,              # call eax
    0x83, 0xC6, 0x04,        # skip: add esi, 4
    0xEB, 0xEF,              # jmp next
    0x5F,                    # done: pop edi
    0x5E,                    # pop esi
    0xC3,                    # ret
])


class Failure(Exception):
    pass


class Windows:
    """The stand-ins for the Windows functions the DLL imports, and the little
    world they see: one profile file with its keys, and the calls made."""

    def __init__(self, emulator):
        self.emu = emulator
        self.heap_next = HEAP_BASE
        self.block_sizes = {}
        self.files = {}
        self.calls = []

    # Arguments and memory.
    def arg(self, n):
        esp = self.emu.reg_read(UC_X86_REG_ESP)
        return struct.unpack("<I", self.emu.mem_read(esp + 4 + 4 * n, 4))[0]

    def text(self, address):
        if address == 0:
            return None
        data = b""
        while not data.endswith(b"\0"):
            data += bytes(self.emu.mem_read(address + len(data), 1))
        return data[:-1].decode("latin-1")

    def allocate(self, size, zero=True):
        address = (self.heap_next + 15) & ~15
        self.heap_next = address + max(size, 1)
        if self.heap_next > HEAP_BASE + HEAP_SIZE:
            raise Failure("emulated heap exhausted")
        self.block_sizes[address] = size
        if zero:
            self.emu.mem_write(address, b"\0" * size)
        return address

    # kernel32 and user32: standard calling convention, argument bytes given.
    def GetModuleFileNameA(self):
        buffer, size = self.arg(1), self.arg(2)
        path = MODULE_PATH.encode()[: size - 1] + b"\0"
        self.emu.mem_write(buffer, path)
        return len(path) - 1

    def FindFirstFileA(self):
        path = self.text(self.arg(0))
        self.calls.append(("FindFirstFileA", path))
        return 1 if path.lower() in self.files else INVALID_HANDLE_VALUE

    def GetPrivateProfileIntA(self):
        section, key, default, path = self.text(self.arg(0)), self.text(self.arg(1)), self.arg(2), self.text(self.arg(3))
        self.calls.append(("GetPrivateProfileIntA", section, key, path))
        value = self.files.get(path.lower(), {}).get((section.strip().lower(), key.strip().lower()))
        return default if value is None else int(value) & 0xFFFFFFFF

    def WritePrivateProfileStringA(self):
        section, key, value, path = (self.text(self.arg(i)) for i in range(4))
        self.calls.append(("WritePrivateProfileStringA", section, key, value, path))
        self.files.setdefault(path.lower(), {})[(section.strip().lower(), key.strip().lower())] = value
        return 1

    def MessageBoxA(self):
        self.calls.append(("MessageBoxA", self.arg(0), self.text(self.arg(1)), self.text(self.arg(2)), self.arg(3)))
        return 1

    def VirtualQuery(self):
        address, info = self.arg(0), self.arg(1)
        # MEMORY_BASIC_INFORMATION: one committed read-write region.
        self.emu.mem_write(info, struct.pack("<7I", address & ~0xFFF, address & ~0xFFF, 4, address & ~0xFFF, 0x1000, 0x1000, 4))
        return 28

    def VirtualProtect(self):
        if self.arg(3):
            self.emu.mem_write(self.arg(3), struct.pack("<I", 4))
        return 1

    # msvcrt: the caller removes the arguments.
    def calloc(self):
        return self.allocate(self.arg(0) * self.arg(1))

    def malloc(self):
        return self.allocate(self.arg(0))

    def realloc(self):
        old, size = self.arg(0), self.arg(1)
        new = self.allocate(size)
        if old:
            self.emu.mem_write(new, bytes(self.emu.mem_read(old, min(size, self.block_sizes[old]))))
        return new

    def memcpy(self):
        destination, source, count = self.arg(0), self.arg(1), self.arg(2)
        if count:
            self.emu.mem_write(destination, bytes(self.emu.mem_read(source, count)))
        return destination

    memmove = memcpy

    def memset(self):
        destination, value, count = self.arg(0), self.arg(1), self.arg(2)
        if count:
            self.emu.mem_write(destination, bytes([value & 0xFF]) * count)
        return destination

    def memcmp(self):
        count = self.arg(2)
        a, b = bytes(self.emu.mem_read(self.arg(0), count)), bytes(self.emu.mem_read(self.arg(1), count))
        return 0 if a == b else (1 if a > b else 0xFFFFFFFF)

    def memchr(self):
        start, value, count = self.arg(0), self.arg(1) & 0xFF, self.arg(2)
        found = bytes(self.emu.mem_read(start, count)).find(bytes([value])) if count else -1
        return 0 if found < 0 else start + found

    def strcmp(self):
        a, b = self.text(self.arg(0)), self.text(self.arg(1))
        return 0 if a == b else (1 if a > b else 0xFFFFFFFF)

    def strchr(self):
        start, value = self.arg(0), self.arg(1) & 0xFF
        found = (self.text(start) + "\0").find(chr(value))
        return 0 if found < 0 else start + found

    def _errno(self):
        if not hasattr(self, "errno_address"):
            self.errno_address = self.allocate(4)
        return self.errno_address

    def strlen(self):
        return len(self.text(self.arg(0)))

    def strncmp(self):
        a, b, n = self.text(self.arg(0)), self.text(self.arg(1)), self.arg(2)
        a, b = a[:n], b[:n]
        return 0 if a == b else (1 if a > b else 0xFFFFFFFF)


def constant(value):
    return lambda windows: value


# name: (bytes the callee removes, or None for the C convention; stand-in)
STANDARD = {
    "DeleteCriticalSection": 4, "EnterCriticalSection": 4, "InitializeCriticalSection": 4,
    "LeaveCriticalSection": 4, "FreeLibrary": 4, "GetLastError": 0, "GetModuleHandleA": 4,
    "GetProcAddress": 8, "LoadLibraryA": 4, "Sleep": 4, "TlsGetValue": 4, "VirtualProtect": 16,
    "VirtualQuery": 12, "GetModuleFileNameA": 12, "FindFirstFileA": 8, "FindClose": 4,
    "GetPrivateProfileIntA": 16, "WritePrivateProfileStringA": 16, "MessageBoxA": 16,
    "CloseHandle": 4, "CreateSemaphoreW": 16, "GetCurrentThreadId": 0, "GetModuleHandleW": 4,
    "IsDBCSLeadByteEx": 8, "LoadLibraryW": 4, "ReleaseSemaphore": 12, "SetLastError": 4, "TlsAlloc": 0,
    "TlsFree": 4, "TlsSetValue": 8, "WaitForSingleObject": 8,
}
RESULTS = {"FreeLibrary": 1, "FindClose": 1, "CloseHandle": 1, "CreateSemaphoreW": 0x100, "GetCurrentThreadId": 0x1234,
           "ReleaseSemaphore": 1, "TlsAlloc": 1, "TlsFree": 1, "TlsSetValue": 1}
C_FUNCTIONS = {"calloc", "malloc", "realloc", "free", "strlen", "strncmp", "_lock", "_unlock", "memcpy", "memmove",
               "memset", "memcmp", "memchr", "strcmp", "strchr", "_errno"}
DATA_IMPORTS = {"_iob": 0x200, "__mb_cur_max": 4}


class Module:
    def __init__(self, path):
        self.pe = pefile.PE(path)
        self.emu = Uc(UC_ARCH_X86, UC_MODE_32)
        self.windows = Windows(self.emu)
        self.base = self.pe.OPTIONAL_HEADER.ImageBase
        self.writable = []
        self.stray_writes = []
        self.watching = False
        self.load()

    def load(self):
        emu, pe = self.emu, self.pe
        image_size = (pe.OPTIONAL_HEADER.SizeOfImage + 0xFFF) & ~0xFFF
        emu.mem_map(self.base, image_size)
        emu.mem_write(self.base, pe.header)
        for section in pe.sections:
            emu.mem_write(self.base + section.VirtualAddress, section.get_data())
            if section.Characteristics & 0x80000000:  # IMAGE_SCN_MEM_WRITE
                start = self.base + section.VirtualAddress
                self.writable.append((start, start + max(section.Misc_VirtualSize, section.SizeOfRawData)))
        for base, size in ((STACK_BASE, STACK_SIZE), (HEAP_BASE, HEAP_SIZE), (STUB_BASE, STUB_SIZE), (HOST_BASE, HOST_SIZE)):
            emu.mem_map(base, size)
        emu.mem_write(RETURN_ADDRESS, b"\xF4")  # never executed: emulation stops here
        emu.mem_map(TEB, 0x1000)
        # ExceptionList (none), StackBase, StackLimit, ..., Self
        emu.mem_write(TEB, struct.pack("<3I", INVALID_HANDLE_VALUE, STACK_BASE + STACK_SIZE, STACK_BASE))
        emu.mem_write(TEB + 0x18, struct.pack("<I", TEB))
        # A GDT with a flat 4 GiB data segment for DS, ES and SS, and a data
        # segment based at the TEB for FS, as on Windows.
        def descriptor(base, limit, flags):
            return (limit & 0xFFFF | (base & 0xFFFFFF) << 16 | 0x92 << 40 | (limit >> 16) << 48 | flags << 52
                    | (base >> 24) << 56)
        emu.mem_map(GDT, 0x1000)
        emu.mem_write(GDT + 8, struct.pack("<2Q", descriptor(0, 0xFFFFF, 0xC), descriptor(TEB, 0xFFF, 0x4)))
        emu.reg_write(UC_X86_REG_GDTR, (0, GDT, 0xFFF, 0))
        for register in (UC_X86_REG_DS, UC_X86_REG_ES, UC_X86_REG_SS):
            emu.reg_write(register, 1 << 3)
        emu.reg_write(UC_X86_REG_FS, 2 << 3)
        self.bind_imports()
        emu.hook_add(UC_HOOK_MEM_WRITE, self.on_write)
        emu.hook_add(UC_HOOK_MEM_INVALID, self.on_invalid)

    def bind_imports(self):
        next_stub = STUB_BASE
        for entry in getattr(self.pe, "DIRECTORY_ENTRY_IMPORT", []):
            for symbol in entry.imports:
                name = symbol.name.decode()
                if name in DATA_IMPORTS:
                    target = self.windows.allocate(DATA_IMPORTS[name])
                elif name == "_initterm":
                    target = next_stub
                    self.emu.mem_write(target, INITTERM_CODE)
                else:
                    target = next_stub
                    if name in STANDARD:
                        self.emu.mem_write(target, b"\xC2" + struct.pack("<H", STANDARD[name]))
                    else:
                        self.emu.mem_write(target, b"\xC3")
                    self.emu.hook_add(UC_HOOK_CODE, self.stand_in(name), begin=target, end=target)
                next_stub += 0x40
                self.emu.mem_write(symbol.address, struct.pack("<I", target))

    def stand_in(self, name):
        def call(emu, address, size, data):
            handler = getattr(self.windows, name, None)
            if handler is not None:
                result = handler()
            elif name in RESULTS or name in STANDARD or name in C_FUNCTIONS:
                result = RESULTS.get(name, 0)
            else:
                self.fault = f"the module called {name}, which this emulation does not provide"
                emu.emu_stop()
                return
            emu.reg_write(UC_X86_REG_EAX, result & 0xFFFFFFFF)
        return call

    def on_write(self, emu, access, address, size, value, data):
        if not self.watching:
            return
        allowed = [(STACK_BASE, STACK_BASE + STACK_SIZE), (PANEL, PANEL + 4 * 256), (RESULT, RESULT + 16)] + self.writable
        if not any(start <= address and address + size <= end for start, end in allowed):
            self.stray_writes.append(address)

    def on_invalid(self, emu, access, address, size, value, data):
        self.fault = f"invalid memory access at {address:#x} from {emu.reg_read(UC_X86_REG_EIP):#x}"
        return False

    def export(self, name):
        for symbol in self.pe.DIRECTORY_ENTRY_EXPORT.symbols:
            if symbol.name and symbol.name.decode() == name:
                return self.base + symbol.address
        raise Failure(f"no export named {name}")

    def call(self, address, stack_arguments, expected_removed, watch=True):
        """Calls the code at address with the given bytes as its stack
        arguments. Returns EAX; fails unless the callee removed exactly
        expected_removed bytes of arguments."""
        esp = STACK_BASE + STACK_SIZE - 0x1000
        esp -= len(stack_arguments)
        self.emu.mem_write(esp, stack_arguments)
        esp -= 4
        self.emu.mem_write(esp, struct.pack("<I", RETURN_ADDRESS))
        self.emu.reg_write(UC_X86_REG_ESP, esp)
        self.fault = None
        self.watching = watch
        self.stray_writes = []
        try:
            self.emu.emu_start(address, RETURN_ADDRESS, count=5_000_000)
        except UcError as error:
            raise Failure(f"{self.fault or error}")
        finally:
            self.watching = False
        if self.fault:
            raise Failure(self.fault)
        removed = self.emu.reg_read(UC_X86_REG_ESP) - (esp + 4)
        if removed != expected_removed:
            raise Failure(f"callee removed {removed} bytes of arguments, expected {expected_removed}")
        if self.stray_writes:
            raise Failure(f"wrote outside the stack, result area, panel array and module data at "
                          f"{', '.join(hex(a) for a in sorted(set(self.stray_writes))[:8])}")
        return self.emu.reg_read(UC_X86_REG_EAX)

    def notify(self, kind):
        entry = self.base + self.pe.OPTIONAL_HEADER.AddressOfEntryPoint
        return self.call(entry, struct.pack("<3I", self.base, kind, 0), 12, watch=False)

    def read_ints(self, address, count):
        return list(struct.unpack(f"<{count}i", self.emu.mem_read(address, 4 * count)))


def ints(*values):
    return struct.pack(f"<{len(values)}i", *values)


class Checks:
    def __init__(self, module):
        self.module = module
        self.failures = []

    def expect(self, what, actual, expected):
        if actual != expected:
            self.failures.append(f"{what}: got {actual}, expected {expected}")

    def entry(self, name, arguments, removed):
        return self.module.call(self.module.export(name), arguments, removed)

    def elapse(self, time):
        """One frame: returns (handles, written panel elements)."""
        module = self.module
        module.emu.mem_write(PANEL - 4 * GUARD_ELEMENTS, ints(*[UNTOUCHED] * (256 + 2 * GUARD_ELEMENTS)))
        module.emu.mem_write(RESULT, ints(-7, -7, -7, -7))
        state = ints(0, 0, 0, time, 0, 0, 0, 0, 0, 0)
        eax = self.entry("Elapse", ints(RESULT) + state + ints(PANEL, 0), 52)
        self.expect(f"Elapse at {time}: EAX", eax, RESULT)
        elements = module.read_ints(PANEL - 4 * GUARD_ELEMENTS, 256 + 2 * GUARD_ELEMENTS)
        written = {i - GUARD_ELEMENTS: v for i, v in enumerate(elements) if v != UNTOUCHED}
        return module.read_ints(RESULT, 4), written


KEY_TEXTS = ["PowerPanel       ", "BrakePanel       ", "ReverserPanel    ", "HoldingSpeedNotchCount", "NotchLag         "]


def check_entry_points(path, checks):
    """A configured module driven through all sixteen entry points."""
    module = Module(path)
    checks.module = module
    # The settings file beside the module configures the three outputs.
    module.windows.files[SETTINGS_PATH.lower()] = {
        ("data", "powerpanel"): "10", ("data", "brakepanel"): "11", ("data", "reverserpanel"): "12",
        ("data", "holdingspeednotchcount"): "1", ("data", "notchlag"): "100",
    }
    checks.expect("process attach answers", module.notify(DLL_PROCESS_ATTACH), 1)
    checks.expect("calls at process attach", module.windows.calls,
                  [("FindFirstFileA", "./ATS.ini"), ("FindFirstFileA", SETTINGS_PATH)] +
                  [("GetPrivateProfileIntA", "DATA", key, SETTINGS_PATH) for key in KEY_TEXTS])

    checks.expect("GetPluginVersion", checks.entry("GetPluginVersion", b"", 0), 0x00020000)
    for name, arguments in (("Load", b""), ("SetVehicleSpec", ints(5, 1, 5, 0, 6)), ("Initialize", ints(0))):
        checks.entry(name, arguments, len(arguments))

    checks.expect("first frame", checks.elapse(500), ([0, 0, 0, 0], {10: 1, 11: 0, 12: 1}))
    checks.entry("SetPower", ints(3), 4)
    checks.entry("SetBrake", ints(2), 4)
    checks.entry("SetReverser", ints(-1), 4)
    checks.expect("frame at the due time", checks.elapse(600), ([2, 3, -1, 0], {10: 1, 11: 0, 12: 0}))
    checks.expect("frame after the due time", checks.elapse(601), ([2, 3, -1, 0], {10: 4, 11: 2, 12: 0}))

    inert = (("KeyDown", ints(1)), ("KeyUp", ints(1)), ("HornBlow", ints(2)), ("SetSignal", ints(3)),
             ("SetBeaconData", ints(1, 2, 3, 4)), ("DoorOpen", b""), ("DoorClose", b""),
             ("SetVehicleSpec", ints(9, 9, 9, 9, 9)), ("Load", b""), ("Dispose", b""))
    for name, arguments in inert:
        checks.entry(name, arguments, len(arguments))
    checks.expect("frame after the inert calls", checks.elapse(602), ([2, 3, -1, 0], {10: 4, 11: 2, 12: 0}))
    checks.expect("GetPluginVersion at the end", checks.entry("GetPluginVersion", b"", 0), 0x00020000)
    checks.expect("process detach answers", module.notify(DLL_PROCESS_DETACH), 1)


def check_settings_file_created(path, checks):
    """Without a settings file, process attach creates it from the defaults."""
    module = Module(path)
    checks.expect("process attach answers", module.notify(DLL_PROCESS_ATTACH), 1)
    writes = [call for call in module.windows.calls if call[0] == "WritePrivateProfileStringA"]
    checks.expect("writes at process attach", writes,
                  [("WritePrivateProfileStringA", "DATA", key, value, SETTINGS_PATH)
                   for key, value in zip(KEY_TEXTS, ["-1", "-1", "-1", "0", "100"])])
    checks.expect("message boxes", [call for call in module.windows.calls if call[0] == "MessageBoxA"], [])


def main():
    checks = Checks(None)
    for check in (check_entry_points, check_settings_file_created):
        try:
            check(sys.argv[1], checks)
        except Failure as failure:
            checks.failures.append(f"{check.__name__}: {failure}")

    for failure in checks.failures:
        print(f"FAIL: {failure}")
    if not checks.failures:
        print("all sixteen entry points behave as a 32-bit host expects")
    return 1 if checks.failures else 0


if __name__ == "__main__":
    sys.exit(main())
