#pragma once

// The application: shows the main window modally and ends the program when it closes.
class CTabwrightApp {
public:
    // Returns false: the program has no message loop of its own after the window ends.
    bool InitInstance();
};
