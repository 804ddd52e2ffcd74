// Nested event loops the editor's own code runs (a box waited on with exec(),
// a file dialog). While one runs, a timer may fire inside it; whoever would
// delete a page from such a timer (the connection window's removal, a page's
// loss rule) waits until no nested loop runs, since the code that opened the
// loop may still use the page when it returns.
//
// How it is used: every blocking box or file dialog of the editor runs inside
// a NestedLoopScope; nestedLoopRunning() says whether one runs. A window-modal
// question that runs no loop (showStyledQuestion) does not count: it goes with
// its page.
#pragma once

class NestedLoopScope
{
public:
    NestedLoopScope();
    ~NestedLoopScope();
    NestedLoopScope(const NestedLoopScope &) = delete;
    NestedLoopScope &operator=(const NestedLoopScope &) = delete;
};

int nestedLoopDepth();
// A marked loop runs, or an application-modal window is up (a dialog waited
// on with exec() that nobody marked).
bool nestedLoopRunning();
