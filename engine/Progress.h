// The progress steps the engine reports through the build context's callback: each text and
// weight lives here once.
#pragma once

struct BuildContext;

namespace vintrel {

struct ProgressStep {
    const char* text;
    int weight;
};

inline constexpr ProgressStep kResourceStep{"Building Resources", 2};
inline constexpr ProgressStep kLinkStep{"Building Link List", 10};
inline constexpr ProgressStep kSlotListStep{"Building Slot List", 10};
inline constexpr ProgressStep kSlotStep{"Building Slots", 10};
inline constexpr ProgressStep kSlotFileStep{"Building Slots", 4};
inline constexpr ProgressStep kSlotCopyStep{"Building Slots", 2};
inline constexpr ProgressStep kCardImageStep{"Building BXF", 10};

// Calls the context's callback with the step; nothing without a context or a callback.
void reportProgress(const BuildContext* context, ProgressStep step);

} // namespace vintrel
