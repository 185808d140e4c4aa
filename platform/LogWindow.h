#pragma once

#include <QString>

class LogFile;

// What the log needs of its window: the GUI's LogFileWindow implements it.
class LogWindow {
public:
    virtual ~LogWindow() = default;
    // Splits at each CR LF into rows (the part after the last one too); returns the last row's index.
    virtual int AddText(const QString& text) = 0;
    // Adds a non-empty text as one row; returns its index.
    virtual int AddLine(const QString& text) = 0;
    // Destroys the window; it clears its log's pointer on the way.
    virtual void destroyWindow() = 0;
};
