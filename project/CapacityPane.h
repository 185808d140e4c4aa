#pragma once

#include "CProjSett.h"

#include <QString>

#include <cstdint>

// The main window's capacity pane as the core sees it: the main frame installs itself, the
// document's add road and the build run the test through updateCapacityPane().
class CapacityPane {
public:
    virtual ~CapacityPane() = default;
    virtual void showCapacityText(const QString& text) = 0;
};

// Installs the pane (not owned); nullptr removes it.
void setCapacityPane(CapacityPane* pane);

// The capacity test of a project with the pane update: false when the project's files plus
// `bytesToAdd` exceed a card medium's capacity (the pane then keeps its text, unless bytesToAdd is
// 0: a refresh always shows the current figures); otherwise the pane shows the project's figures
// and the answer is true. Logs its figures at log level 9.
bool updateCapacityPane(const CProjSett& settings, std::uint32_t itemCount, std::uint64_t totalBytes,
                        std::uint64_t bytesToAdd);
