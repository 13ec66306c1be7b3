#pragma once

// Lets the window events that are already waiting through, so that a window stays painted and
// a click on Cancel or Close is seen while long work goes on between units of it (pages,
// users, folders). It handles what is queued now and returns: it never waits for more.
void LetWaitingMessagesThrough();
