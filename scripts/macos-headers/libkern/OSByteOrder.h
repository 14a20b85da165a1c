/* <libkern/OSByteOrder.h>: the byte swaps that the framework's ByteOrder uses. */
#pragma once

#include <stdint.h>

#define OSSwapInt16(x) ((uint16_t) __builtin_bswap16 ((uint16_t) (x)))
#define OSSwapInt32(x) ((uint32_t) __builtin_bswap32 ((uint32_t) (x)))
#define OSSwapInt64(x) ((uint64_t) __builtin_bswap64 ((uint64_t) (x)))
