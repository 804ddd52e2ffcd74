// Nested event loops the editor's own code runs (a box waited on with exec(),
// a file dialog). While one runs, a timer may fire inside it; whoever would
// delete a page from such a timer (the connection window's removal, a page's
// loss rule) waits until no nested loop runs, since the code that opened the
// loop may still use the page when it returns.
//
// How it is used: every blocking box or file dialog of the editor runs inside
// a NestedLoopScope; nestedLoopDepth() says how many run.
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
