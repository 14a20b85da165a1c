/* <libkern/OSAtomic.h>, which the framework includes but whose atomics it does not
   call. On a Mac it brings the byte swaps along, as here. */
#pragma once

#include <libkern/OSByteOrder.h>
