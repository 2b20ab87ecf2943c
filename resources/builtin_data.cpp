// The program's own resources: the bundle the resource builder made from the
// manifest's built-in entries, linked in as read-only data. The loader
// registers it on first use.
#ifndef VARNOK_BUILTIN_RCC
#error "VARNOK_BUILTIN_RCC must name the built-in resource bundle"
#endif

extern "C" const unsigned char varnok_builtin_rcc[];

asm(".section .rodata\n"
    ".balign 16\n"
    ".globl varnok_builtin_rcc\n"
    ".hidden varnok_builtin_rcc\n"
    ".type varnok_builtin_rcc, @object\n"
    "varnok_builtin_rcc:\n"
    ".incbin \"" VARNOK_BUILTIN_RCC "\"\n"
    ".byte 0\n"
    ".size varnok_builtin_rcc, . - varnok_builtin_rcc\n"
    ".previous\n");

namespace varnok {

const unsigned char* BuiltinResourceData() { return varnok_builtin_rcc; }

}  // namespace varnok
