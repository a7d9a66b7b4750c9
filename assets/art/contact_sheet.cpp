#include "contact_sheet.h"

#include <algorithm>

namespace {

constexpr int sheetWidth = 1900, gap = 8, labelHeight = 18;
const Rgba sheetColour = rgb(0x2B2D33);
const Rgba darkGround = rgb(0x121317);
const Rgba lightGround = rgb(0xE4E2DC);

Image onGround(const Image& picture, Rgba ground, int factor) {
    Image panel(picture.width * factor + 8, picture.height * factor + 8, ground);
    drawImageScaled(panel, picture, 4, 4, factor);
    return panel;
}

// Half size, averaging 2 × 2 pixels (with their alpha).
Image halve(const Image& image) {
    Image out(image.width / 2, image.height / 2);
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) {
            Rgba sum;
            for (int i = 0; i < 4; ++i) {
                const Rgba& p = image.at(2 * x + i % 2, 2 * y + i / 2);
                sum = {sum.r + p.r * p.a, sum.g + p.g * p.a, sum.b + p.b * p.a, sum.a + p.a};
            }
            out.at(x, y) =
                sum.a > 0 ? Rgba{sum.r / sum.a, sum.g / sum.a, sum.b / sum.a, sum.a / 4} : Rgba{};
        }
    }
    return out;
}

struct Size {
    int width, height;
};

Size entrySize(const ContactSheet::Entry& entry) {
    Size size{0, 0};
    for (const Image& panel : entry.panels) {
        size.width += panel.width + gap;
        size.height = std::max(size.height, panel.height);
    }
    return {size.width, size.height + labelHeight};
}

} // namespace

Image rotateQuarter(const Image& image, int quarterTurns) {
    const int turns = ((quarterTurns % 4) + 4) % 4;
    if (turns == 0) {
        return image;
    }
    const bool swap = turns % 2 == 1;
    Image out(swap ? image.height : image.width, swap ? image.width : image.height);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const int w = image.width - 1, h = image.height - 1;
            const int nx = turns == 1 ? h - y : turns == 2 ? w - x : y;
            const int ny = turns == 1 ? x : turns == 2 ? h - y : w - x;
            out.at(nx, ny) = image.at(x, y);
        }
    }
    return out;
}

void addPicture(ContactSheet& sheet, const std::string& name, const Image& image) {
    ContactSheet::Entry entry{
        name + "  " + std::to_string(image.width) + "x" + std::to_string(image.height), {}};
    if (image.width > 600) {
        const Image small = image.height > 600 ? halve(image) : image;
        entry.label += image.height > 600 ? " (half size)" : "";
        entry.panels = {onGround(small, darkGround, 1), onGround(small, lightGround, 1)};
    } else if (image.width > 200 || image.height > 200) {
        entry.panels = {onGround(image, darkGround, 1), onGround(image, lightGround, 1)};
    } else {
        entry.panels = {onGround(image, darkGround, 1), onGround(image, lightGround, 1),
                        onGround(image, darkGround, 2), onGround(image, lightGround, 2)};
    }
    sheet.entries.push_back(std::move(entry));
}

void addFontSample(ContactSheet& sheet, const std::string& name, const Image& fontSheet,
                   const TypeFace& face) {
    const char* lines[] = {
        "Last Level Complete", "Congratulation", "Input name of new game",
        "Level 42 - quorvane.example",
        "\xC0\xC9\xCE\xD5\xDC \xE0\xE9\xEE\xF5\xFC \xDF \xBF\xA1 \xA3\xA9\xB1\xB5"};
    const int line = face.ascender() + face.descender();
    int width = 0;
    for (const char* text : lines) {
        width = std::max(width, face.textWidth(text));
    }
    Image sample(width + 16, line * 5 + 16, darkGround);
    for (int i = 0; i < 5; ++i) {
        face.drawText(sample, 8, static_cast<float>(8 + i * line + face.ascender()), lines[i],
                      rgb(i == 0 ? 0xF14250 : 0xFFFFFF));
    }
    const std::string label = name + "  line " + std::to_string(line) +
                              " px, \"Last Level Complete\" " +
                              std::to_string(face.textWidth(lines[0])) + " px";
    sheet.entries.push_back({label, {onGround(fontSheet, darkGround, 1), sample}});
}

Image renderContactSheet(const ContactSheet& sheet) {
    const TypeFace labelFace(fontFolder() + "DejaVuSans.ttf", 12);
    // Shelf layout: entries left to right, a new row when the next one does not fit.
    struct Placed {
        int x, y;
    };
    std::vector<Placed> places;
    int x = gap, y = gap, rowHeight = 0;
    for (const ContactSheet::Entry& entry : sheet.entries) {
        const Size size = entrySize(entry);
        if (x + size.width > sheetWidth && x > gap) {
            x = gap;
            y += rowHeight + gap;
            rowHeight = 0;
        }
        places.push_back({x, y});
        x += size.width + gap;
        rowHeight = std::max(rowHeight, size.height);
    }
    Image image(sheetWidth, y + rowHeight + gap, sheetColour);
    for (std::size_t i = 0; i < sheet.entries.size(); ++i) {
        const ContactSheet::Entry& entry = sheet.entries[i];
        labelFace.drawText(image, static_cast<float>(places[i].x),
                           static_cast<float>(places[i].y + 13), entry.label, rgb(0xE8E8E8));
        int px = places[i].x;
        for (const Image& panel : entry.panels) {
            drawImage(image, panel, px, places[i].y + labelHeight);
            px += panel.width + gap;
        }
    }
    return image;
}
