// The literal writer's chunks for processors with SSSE3; built with -mssse3
// where the target is x86-64 (elsewhere this file is empty), and called only
// where the processor has it.
#if defined(__SSSE3__)
#include "script/text_literal_blocks.h"

namespace kassivo {

std::size_t WriteLiteralChunkSsse3(const char16_t* text, std::size_t n, std::size_t i,
                                   std::size_t end, char*& p) {
  return WriteChunk(text, n, i, end, p);
}

}  // namespace kassivo
#endif
