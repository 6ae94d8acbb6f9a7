// C entry points of the payments subsystem: scheme editors, the payment-file writer, the checker.
#include "boundary.hpp"
#include "table.hpp"

extern "C" {

// Schemes.

// The writer.

// The checker.

}  // extern "C"
