/* The engine's header is plain C: this file includes it in a C translation unit and reports the
 * layout a C program sees, for the interface test to compare with C++'s. */
#include "vintrel.h"

#include <stddef.h>

size_t vintrelTestLayoutInC(int field)
{
    switch (field) {
    case 0:
        return sizeof(BuildContext);
    case 1:
        return offsetof(BuildContext, slotBlocks);
    case 2:
        return offsetof(BuildContext, progressCallback);
    case 3:
        return sizeof(SlotRecord);
    default:
        return offsetof(SlotRecord, endLink);
    }
}
