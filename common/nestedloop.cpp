#include "nestedloop.h"

namespace {
int g_depth = 0; // GUI thread only
} // namespace

NestedLoopScope::NestedLoopScope()
{
    ++g_depth;
}

NestedLoopScope::~NestedLoopScope()
{
    --g_depth;
}

int nestedLoopDepth()
{
    return g_depth;
}
