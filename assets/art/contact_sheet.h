#pragma once

#include <map>
#include <string>
#include <vector>

#include "image.h"
#include "type_face.h"

// A review sheet: every picture at 1× and 2× on dark and light grounds, labelled, the font
// sheets with sample lines, and a small hall built from the pictures and lit as the game lights it.
struct ContactSheet {
    struct Entry {
        std::string label;
        std::vector<Image> panels; // drawn side by side under the label
    };
    std::vector<Entry> entries;
};

void addPicture(ContactSheet& sheet, const std::string& name, const Image& image);
void addFontSample(ContactSheet& sheet, const std::string& name, const Image& fontSheet,
                   const TypeFace& face);
// Builds the mock hall from the drawn pictures, keyed by file name ("wall.png").
void addMockHall(ContactSheet& sheet, const std::map<std::string, Image>& pictures);
Image renderContactSheet(const ContactSheet& sheet);

// The picture turned clockwise by quarterTurns × 90 degrees.
Image rotateQuarter(const Image& image, int quarterTurns);
