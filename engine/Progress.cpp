#include "Progress.h"

#include "vintrel.h"

namespace vintrel {

void reportProgress(const BuildContext* context, ProgressStep step)
{
    if (context && context->progressCallback)
        context->progressCallback(step.text, step.weight, context->callbackUser);
}

} // namespace vintrel
