// A host record for the generator that answers the program's message texts and records every
// message box instead of showing it.
#pragma once

#include "pelmora.h"

#include <map>
#include <string>
#include <vector>

namespace qrl::test {

class RecordingHost {
public:
    struct Box {
        std::string text;
        std::string caption;
    };

    RecordingHost();

    const PelmoraHost* host() const { return &m_host; }
    const std::vector<Box>& boxes() const { return m_boxes; }
    // Replaces or removes (nullptr) the text of a string id.
    void setText(unsigned id, const char* text);

    // The three-part file message as the program's texts make it.
    static std::string fileMessage(const std::string& file, const std::string& errorText);

private:
    static const char* loadString(unsigned id, void* user);
    static int messageBox(const char* text, const char* caption, void* user);

    PelmoraHost m_host;
    std::map<unsigned, std::string> m_texts;
    std::vector<Box> m_boxes;
};

} // namespace qrl::test
