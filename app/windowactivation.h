#pragma once

#include <QString>

// Brings another program's top-level window to the front: the first whose title is `title`
// or begins with it. False when there is no such window or the platform cannot do it.
bool activateWindowTitled(const QString& title);
