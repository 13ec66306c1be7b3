#pragma once

#include <QStringList>

// Every user whose folder the server data holds, in the order the server scan visits them;
// empty without a server.
QStringList ServerUserNames();
