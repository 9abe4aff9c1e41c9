#pragma once

#include <QString>

#include <functional>

// Asks the desktop to "open" a file or address (help file, web page, mailto: link). The
// result is never looked at: a desktop that cannot open it simply shows nothing.
void OpenWithDesktop(const QString& target, bool maximised = false);

// Tests replace the desktop with a recorder; an empty function restores the desktop.
void SetDesktopOpenerForTesting(std::function<void(const QString&, bool)> opener);
