#include "art_builder.h"

#include <filesystem>
#include <fstream>
#include <map>

#include "art_catalogue.h"
#include "contact_sheet.h"
#include "font_sheet.h"
#include "look_alike.h"
#include "png_file.h"
#include "type_face.h"

namespace {

struct FontStyle {
    const char* descriptionFile;
    const char* sheetName; // beside the description
    const char* face;
    int pixelSize;
    int sheetWidth;
    int halo; // pixels of dark rim around each letter
};

// Large: the top bar and the dialogs (a line of 30 pixels). Small: the links and credits. Both
// are drawn over the hall's top and bottom rows, pale stone and torches included, so both letters
// carry a dark rim.
const FontStyle fontStyles[] = {
    {largeFontFile, "font.png", "DejaVuSans-Bold.ttf", 24, 512, 2},
    {smallFontFile, "fontsmall.png", "DejaVuSans.ttf", 12, 256, 1},
};

bool writeText(const std::filesystem::path& file, const std::string& text) {
    std::ofstream out(file, std::ios::binary);
    out << text;
    return static_cast<bool>(out);
}

bool writeFonts(const std::filesystem::path& folder, ContactSheet& sheet, std::string* error) {
    for (const FontStyle& style : fontStyles) {
        const TypeFace face(fontFolder() + style.face, style.pixelSize);
        if (!face.loaded()) {
            *error = std::string("cannot load the font ") + fontFolder() + style.face;
            return false;
        }
        const FontSheet font = buildFontSheet(face, style.sheetName, style.sheetWidth, style.halo);
        const std::filesystem::path description = folder / style.descriptionFile;
        const std::filesystem::path picture = description.parent_path() / style.sheetName;
        if (!writeText(description, font.description) || !writePng(picture.string(), font.sheet)) {
            *error = "cannot write " + description.string();
            return false;
        }
        addFontSample(sheet, style.sheetName, font.sheet, face);
    }
    return true;
}

} // namespace

bool buildArt(const std::string& outputDir, const std::string& contactSheet, std::string* error) {
    const std::filesystem::path folder(outputDir);
    std::error_code ec;
    std::filesystem::create_directories(folder / "graphics", ec);
    if (ec) {
        *error = "cannot create " + (folder / "graphics").string();
        return false;
    }
    ContactSheet sheet;
    std::map<std::string, Image> drawn;
    for (const ArtPicture& picture : artPictures()) {
        Image image = picture.draw();
        const std::filesystem::path file = folder / picture.fileName;
        if (!writePng(file.string(), image)) {
            *error = "cannot write " + file.string();
            return false;
        }
        const std::string name = file.filename().string();
        addPicture(sheet, name, image);
        drawn.emplace(name, std::move(image));
    }
    if (!writeFonts(folder, sheet, error)) {
        return false;
    }
    addLookAlikePage(sheet);
    addMockHall(sheet, drawn); // ahead of the look-alike page
    if (!writePng(contactSheet, renderContactSheet(sheet), 1)) {
        *error = "cannot write " + contactSheet;
        return false;
    }
    return true;
}
