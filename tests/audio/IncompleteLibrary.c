/* A libtrackaudio.so that has the right version but lacks every other entry
   point: the player must treat it as no library at all. */
#include <stdint.h>

__attribute__((visibility("default"))) uint32_t TA_GetVersion(void) { return 2u | (1u << 16); }
