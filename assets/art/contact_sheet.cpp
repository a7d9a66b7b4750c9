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

struct Point {
    int x, y;
};

// Places an entry's panels left to right under its label, wrapping to a new line where the
// sheet ends; returns the entry's size and fills the panel offsets.
Point layoutEntry(const ContactSheet::Entry& entry, std::vector<Point>* offsets) {
    const int maxWidth = sheetWidth - 2 * gap;
    int x = 0, y = labelHeight, lineHeight = 0, width = 0;
    for (const Image& panel : entry.panels) {
        if (x > 0 && x + panel.width > maxWidth) {
            x = 0;
            y += lineHeight + gap;
            lineHeight = 0;
        }
        offsets->push_back({x, y});
        x += panel.width + gap;
        width = std::max(width, x);
        lineHeight = std::max(lineHeight, panel.height);
    }
    return {width, y + lineHeight};
}

// A 2× view of the top-left corner of a large picture.
Image cornerZoom(const Image& image, int size) {
    Image corner(std::min(size, image.width), std::min(size, image.height));
    drawImage(corner, image, 0, 0);
    return corner;
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
    if (image.width > 600 && image.height > 600) {
        const Image small = halve(image);
        entry.label += " (half size; corner at 2x)";
        entry.panels = {onGround(small, darkGround, 1), onGround(small, lightGround, 1),
                        onGround(cornerZoom(image, 200), lightGround, 2)};
    } else if (image.width > 200 || image.height > 200) {
        const Image corner = cornerZoom(image, 200);
        entry.label += " (and its corner at 2x)";
        entry.panels = {onGround(image, darkGround, 1), onGround(image, lightGround, 1),
                        onGround(corner, darkGround, 2), onGround(corner, lightGround, 2)};
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
    std::vector<Point> places;
    std::vector<std::vector<Point>> offsets(sheet.entries.size());
    int x = gap, y = gap, rowHeight = 0;
    for (std::size_t i = 0; i < sheet.entries.size(); ++i) {
        const Point size = layoutEntry(sheet.entries[i], &offsets[i]);
        if (x + size.x > sheetWidth && x > gap) {
            x = gap;
            y += rowHeight + gap;
            rowHeight = 0;
        }
        places.push_back({x, y});
        x += size.x + gap;
        rowHeight = std::max(rowHeight, size.y);
    }
    Image image(sheetWidth, y + rowHeight + gap, sheetColour);
    for (std::size_t i = 0; i < sheet.entries.size(); ++i) {
        const ContactSheet::Entry& entry = sheet.entries[i];
        labelFace.drawText(image, static_cast<float>(places[i].x),
                           static_cast<float>(places[i].y + 13), entry.label, rgb(0xE8E8E8));
        for (std::size_t p = 0; p < entry.panels.size(); ++p) {
            drawImage(image, entry.panels[p], places[i].x + offsets[i][p].x,
                      places[i].y + offsets[i][p].y);
        }
    }
    return image;
}
