#include "data/carried_copy.h"

// CDK_CARRIED_COPY_PATH names the data file; the assembler copies its bytes
// into the read-only data of the program, so nothing is read at run time.
#ifndef CDK_CARRIED_COPY_PATH
#error "CDK_CARRIED_COPY_PATH must name the data file to embed"
#endif

// mingw's assembler has no .previous, so Windows returns to .text by name.
#if defined(_WIN32)
#define CDK_RODATA_SECTION ".section .rdata,\"dr\"\n"
#define CDK_PREVIOUS_SECTION ".text\n"
#else
#define CDK_RODATA_SECTION ".section .rodata\n"
#define CDK_PREVIOUS_SECTION ".previous\n"
#endif

// Explicit assembler names keep the symbols the same on every target (32-bit
// Windows would otherwise prefix an underscore).
extern "C" const char cdk_carried_copy_begin[] asm("cdk_carried_copy_begin");
extern "C" const char cdk_carried_copy_end[] asm("cdk_carried_copy_end");

asm(CDK_RODATA_SECTION
    ".globl cdk_carried_copy_begin\n"
    "cdk_carried_copy_begin:\n"
    ".incbin \"" CDK_CARRIED_COPY_PATH "\"\n"
    ".globl cdk_carried_copy_end\n"
    "cdk_carried_copy_end:\n"
    ".byte 0\n"
    CDK_PREVIOUS_SECTION);

namespace cdk {

ByteView CarriedCopy() {
  return ByteView(cdk_carried_copy_begin,
                  static_cast<size_t>(cdk_carried_copy_end - cdk_carried_copy_begin));
}

}  // namespace cdk
