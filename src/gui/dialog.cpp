#include "gui/dialog.h"

#include "draw/bitmap_font.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

std::string DialogItem::allPrintable() {
    std::string characters;
    for (int c = 32; c <= 255; ++c) {
        characters += static_cast<char>(c);
    }
    return characters;
}

namespace {

// The text's lines: CR, LF, CR LF and LF CR each end one line.
std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            lines.back() += c;
            continue;
        }
        const char pair = c == '\r' ? '\n' : '\r';
        if (i + 1 < text.size() && text[i + 1] == pair) {
            ++i;
        }
        lines.emplace_back();
    }
    return lines;
}

void measureItem(DialogItem& item) {
    item.font->setScale(1);
    const std::vector<std::string> lines = splitLines(item.text);
    float widest = 0;
    for (const std::string& line : lines) {
        widest = std::max(widest, item.font->stringWidth(line.c_str()));
    }
    item.width = widest * item.scale;
    item.height = item.font->height() * static_cast<float>(lines.size()) * item.scale;
}

DialogBounds itemBox(const DialogItem& item) {
    DialogBounds box{item.x, item.y, item.x + item.width, item.y + item.height, false};
    float dx = 0, dy = 0;
    if (item.align & alignBitRight) {
        dx = -item.width;
    } else if (item.align & alignBitCentre) {
        dx = -item.width / 2;
    }
    if (item.align & alignBitBottom) {
        dy = -item.height;
    } else if (item.align & alignBitMiddle) {
        dy = -item.height / 2;
    }
    box.left += dx;
    box.right += dx;
    box.top += dy;
    box.bottom += dy;
    return box;
}

void recomputeBounds(DialogRow& row) {
    row.bounds = DialogBounds{};
    for (const DialogItem& item : row.items) {
        DialogBounds box = itemBox(item);
        box.left += row.x;
        box.right += row.x;
        box.top += row.y;
        box.bottom += row.y;
        if (row.bounds.empty) {
            row.bounds = box;
        } else {
            row.bounds.left = std::min(row.bounds.left, box.left);
            row.bounds.top = std::min(row.bounds.top, box.top);
            row.bounds.right = std::max(row.bounds.right, box.right);
            row.bounds.bottom = std::max(row.bounds.bottom, box.bottom);
        }
    }
}

DialogItem makeItem(std::string_view text, BitmapFont* font, std::uint32_t normal,
                    std::uint32_t hover, std::uint32_t inactive) {
    DialogItem item;
    item.text = std::string(text);
    item.font = font;
    item.align = alignCentred;
    item.normalColour = normal;
    item.hoverColour = hover;
    item.inactiveColour = inactive;
    measureItem(item);
    return item;
}

DialogRow makeRow(std::string_view name, float y, bool interactive, DialogItem item) {
    DialogRow row;
    row.name = std::string(name);
    row.y = y;
    row.interactive = interactive;
    row.items.push_back(std::move(item));
    recomputeBounds(row);
    return row;
}

// Strictly inside: a point on the edge of the box is outside.
bool inside(const DialogBounds& box, float px, float py) {
    if (box.empty) {
        return false;
    }
    return std::fabs(box.left + box.right - 2 * px) < box.right - box.left &&
           std::fabs(box.top + box.bottom - 2 * py) < box.bottom - box.top;
}

// Applies the typed character or backspace to the active edit items; true when one changed.
bool typeInto(DialogRow& row, int key, int character) {
    if (!((character >= 32 && character <= 255) || key == 8)) {
        return false;
    }
    bool changed = false;
    for (DialogItem& item : row.items) {
        if (!item.editable || !item.active) {
            continue;
        }
        const bool accepted =
            character >= 32 && character <= 255 &&
            item.acceptedCharacters.find(static_cast<char>(character)) != std::string::npos;
        if (accepted) {
            if (item.maximumLength != 0 &&
                static_cast<int>(item.text.size()) >= item.maximumLength) {
                continue;
            }
            item.text += static_cast<char>(character);
        } else if (key == 8) {
            if (!item.text.empty()) {
                item.text.pop_back();
            }
        } else {
            continue;
        }
        measureItem(item);
        changed = true;
    }
    if (changed) {
        recomputeBounds(row);
    }
    return changed;
}

int updateRow(DialogRow& row, float dx, float dy, int key, float px, float py, int character) {
    DialogBounds test = row.bounds;
    test.left += dx;
    test.right += dx;
    test.top += dy;
    test.bottom += dy;
    // A row with no extent (an empty edit field) grows a little so that it can still be hit;
    // the grown bounds count from the next update on.
    if (row.bounds.left >= row.bounds.right) {
        row.bounds.left -= 5;
        row.bounds.right += 5;
    }
    if (row.bounds.top >= row.bounds.bottom) {
        row.bounds.top -= 5;
        row.bounds.bottom += 5;
    }
    const bool pointerOn = inside(test, px, py);
    const bool click = key == 1 || key == 2;
    if (!row.interactive) {
        row.state = pointerOn ? dialogInactive : dialogNothing;
        return row.state;
    }
    if (pointerOn) {
        row.state = row.state != dialogNothing ? dialogHovering : dialogEntered;
        if (click) {
            row.state = dialogPressed;
        }
    } else {
        const bool wasOn = row.state == dialogHovering || row.state == dialogPressed;
        row.state = wasOn ? dialogLeft : dialogNothing;
    }
    for (DialogItem& item : row.items) {
        item.hover = pointerOn;
        if (click && item.editable) {
            item.active = pointerOn;
        }
    }
    if (typeInto(row, key, character)) {
        row.state = dialogEdited;
    }
    return row.state;
}

bool isButton(const DialogRow& row) {
    return row.enabled && row.interactive && row.name.rfind("Button", 0) == 0;
}

// Moves the focus step rows on to the next button, wrapping round; false when there is none.
bool moveFocus(Dialog& dialog, int step) {
    const int count = static_cast<int>(dialog.rows.size());
    int row = dialog.focus < 0 ? (step > 0 ? -1 : 0) : dialog.focus;
    for (int tried = 0; tried < count; ++tried) {
        row = ((row + step) % count + count) % count;
        if (isButton(dialog.rows[row])) {
            dialog.focus = row;
            return true;
        }
    }
    return false;
}

void renderItem(const DialogItem& item, bool interactive, bool focused, float ox, float oy) {
    float v = 0;
    if (item.align & alignBitBottom) {
        v = std::trunc(-item.height);
    } else if (item.align & alignBitMiddle) {
        v = std::trunc(-item.height / 2);
    }
    std::uint32_t colour = item.hoverColour;
    if (!interactive) {
        colour = item.inactiveColour;
    } else if (!item.hover && !focused && !(item.editable && item.active)) {
        colour = item.normalColour;
    }
    BitmapFont& font = *item.font;
    font.setScale(item.scale);
    font.setColour(colour);
    const float x = ox + item.x, y = oy + item.y + v;
    if (item.editable && item.text.empty()) {
        // An empty edit field shows three dots so the player sees where to type.
        for (float step : {-3.0f, 0.0f, 3.0f}) {
            font.printf(x + step * item.scale, y, item.align, "%s", ".");
        }
        return;
    }
    font.printf(x, y, item.align, "%s", item.text.c_str());
}

} // namespace

void clearDialog(Dialog& dialog) {
    dialog.x = dialog.y = 0;
    dialog.open = false;
    dialog.rows.clear();
    dialog.focus = -1;
}

bool buildButtonDialog(Dialog& dialog, float x, float y, std::string_view head,
                       std::string_view button1, std::string_view button2, std::string_view button3,
                       BitmapFont* font, std::uint32_t a, std::uint32_t b, std::uint32_t c) {
    const std::vector<std::string> buttons = {std::string(button1), std::string(button2),
                                              std::string(button3)};
    return buildButtonList(dialog, x, y, head, buttons, font, a, b, c);
}

bool buildButtonList(Dialog& dialog, float x, float y, std::string_view head,
                     const std::vector<std::string>& buttons, BitmapFont* font, std::uint32_t a,
                     std::uint32_t b, std::uint32_t c) {
    if (font == nullptr) {
        return true;
    }
    dialog.x = x;
    dialog.y = y;
    dialog.rows.push_back(makeRow("Head", 0, false, makeItem(head, font, b, b, b)));
    appendButtons(dialog, buttons, font, a, b, c);
    return true;
}

void appendButtons(Dialog& dialog, const std::vector<std::string>& buttons, BitmapFont* font,
                   std::uint32_t a, std::uint32_t b, std::uint32_t c) {
    if (font == nullptr || dialog.rows.empty()) {
        return;
    }
    const float lineHeight = font->height();
    // The first button sits one line under the head; each further one half a line under the
    // one before. Offsets are whole units.
    const DialogRow& last = dialog.rows.back();
    const bool afterHead = dialog.rows.size() == 1;
    int offset = static_cast<int>((afterHead ? lineHeight : 0.5f * lineHeight) +
                                  last.items[0].height + last.y);
    int number = 0;
    for (const DialogRow& row : dialog.rows) {
        number += row.name.rfind("Button", 0) == 0 ? 1 : 0;
    }
    for (const std::string& text : buttons) {
        DialogRow row = makeRow("Button" + std::to_string(++number), static_cast<float>(offset),
                                !text.empty(), makeItem(text, font, a, b, c));
        offset =
            static_cast<int>(0.5f * lineHeight + row.items[0].height + static_cast<float>(offset));
        dialog.rows.push_back(std::move(row));
    }
}
bool buildEditDialog(Dialog& dialog, float x, float y, std::string_view head, std::string_view text,
                     BitmapFont* font, std::uint32_t t, std::string_view accepted,
                     int maximumLength, std::uint32_t d) {
    if (font == nullptr) {
        return true;
    }
    dialog.x = x;
    dialog.y = y;
    DialogRow headRow = makeRow("Head", 0, false, makeItem(head, font, t, t, d));
    const int offset = static_cast<int>(font->height() + headRow.items[0].height);
    DialogItem field = makeItem(text, font, t, t, 0x80808080);
    field.editable = true;
    field.active = true;
    if (!accepted.empty()) {
        field.acceptedCharacters = std::string(accepted);
    }
    field.maximumLength = maximumLength;
    dialog.rows.push_back(std::move(headRow));
    dialog.rows.push_back(makeRow("Edit", static_cast<float>(offset), true, std::move(field)));
    return true;
}

DialogResult updateDialog(Dialog& dialog, int key, float px, float py, int character) {
    DialogResult result;
    if (!dialog.open) {
        return result;
    }
    for (std::size_t i = 0; i < dialog.rows.size(); ++i) {
        DialogRow& row = dialog.rows[i];
        if (!row.enabled) {
            continue;
        }
        const int code = updateRow(row, dialog.x, dialog.y, key, px, py, character);
        if (code != dialogNothing) {
            result.code = code;
            result.row = row.name;
        }
        if (code == dialogEntered && isButton(row)) {
            dialog.focus = static_cast<int>(i); // the pointer takes the focus along
        }
    }
    return result;
}

void focusFirstButton(Dialog& dialog) {
    dialog.focus = -1;
    for (std::size_t i = 0; i < dialog.rows.size() && dialog.focus < 0; ++i) {
        if (isButton(dialog.rows[i])) {
            dialog.focus = static_cast<int>(i);
        }
    }
}

DialogResult dialogKey(Dialog& dialog, int key, bool shift) {
    DialogResult result;
    if (!dialog.open) {
        return result;
    }
    const bool focused = dialog.focus >= 0 && dialog.focus < static_cast<int>(dialog.rows.size());
    if (key == dialogKeyEnter && focused && isButton(dialog.rows[dialog.focus])) {
        result.code = dialogPressed;
        result.row = dialog.rows[dialog.focus].name;
        return result;
    }
    int step = 0;
    if (key == dialogKeyDown || key == dialogKeyRight || (key == dialogKeyTab && !shift)) {
        step = 1;
    } else if (key == dialogKeyUp || key == dialogKeyLeft || (key == dialogKeyTab && shift)) {
        step = -1;
    }
    if (step == 0 || !moveFocus(dialog, step)) {
        return result;
    }
    result.code = dialogEntered;
    result.row = dialog.rows[dialog.focus].name;
    return result;
}

void renderDialog(const Dialog& dialog) {
    if (!dialog.open) {
        return;
    }
    for (std::size_t i = 0; i < dialog.rows.size(); ++i) {
        const DialogRow& row = dialog.rows[i];
        if (!row.enabled) {
            continue;
        }
        const bool focused = static_cast<int>(i) == dialog.focus;
        for (const DialogItem& item : row.items) {
            if (item.font != nullptr) {
                renderItem(item, row.interactive, focused, dialog.x + row.x, dialog.y + row.y);
            }
        }
    }
}

std::string dialogRowText(const Dialog& dialog, std::string_view rowName) {
    for (const DialogRow& row : dialog.rows) {
        if (row.name == rowName) {
            std::string text;
            for (const DialogItem& item : row.items) {
                text += item.text;
            }
            return text;
        }
    }
    return std::string();
}
