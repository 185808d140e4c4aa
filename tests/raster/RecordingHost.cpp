#include "RecordingHost.h"

namespace qrl::test {

RecordingHost::RecordingHost() : m_host{&RecordingHost::loadString, &RecordingHost::messageBox, this}
{
    m_texts = {
        {2382, "Not a recognized BMP file format."},
        {2383, "Failed to allocate memory."},
        {2385, "Error creating file"},
        {2386, "Error writing to file."},
        {2387, "Error allocating memory"},
        {2388, "The number of colors should be 16 or 256."},
        {2400, "INFO : A file error occured. \n\nThe File  : %s\n\nError definition : %s\n\n%s"},
        {2401, "The file will not be inserted in Project."},
        {2430, "Failure at Bmp Info Header"},
        {2431, "The file can not be opened."},
        {2432, "bmi colors could not be read."},
        {2433, "offbits could not be read."},
        {2434, "image bits could not be read."},
        {9080, "The macro file is the image file itself: writing the macro would destroy the image.\n"
               "Please choose another name for the macro file."},
    };
}

void RecordingHost::setText(unsigned id, const char* text)
{
    if (text)
        m_texts[id] = text;
    else
        m_texts.erase(id);
}

std::string RecordingHost::fileMessage(const std::string& file, const std::string& errorText)
{
    return "INFO : A file error occured. \n\nThe File  : " + file + "\n\nError definition : " + errorText +
           "\n\nThe file will not be inserted in Project.";
}

const char* RecordingHost::loadString(unsigned id, void* user)
{
    const auto& texts = static_cast<RecordingHost*>(user)->m_texts;
    const auto it = texts.find(id);
    return it == texts.end() ? nullptr : it->second.c_str();
}

int RecordingHost::messageBox(const char* text, const char* caption, void* user)
{
    static_cast<RecordingHost*>(user)->m_boxes.push_back({text, caption});
    return 1;
}

} // namespace qrl::test
