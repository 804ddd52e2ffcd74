#include "nestedloop.h"

#include <QApplication>
#include <QWidget>

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

bool nestedLoopRunning()
{
    if (g_depth > 0)
        return true;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && w->windowModality() == Qt::ApplicationModal)
            return true;
    }
    return false;
}
