#pragma once
// In-game dialogs: a head line and up to three buttons stacked under it, or a head line and one
// edit field, drawn with a bitmap font over the scene. The frame handler feeds an open dialog the
// key of this frame, the pointer in logical units and the typed character, and gets back what
// happened and on which row.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class BitmapFont;

// Item alignment bits.
constexpr int alignBitRight = 1;
constexpr int alignBitCentre = 2;
constexpr int alignBitBottom = 4;
constexpr int alignBitMiddle = 8;
constexpr int alignCentred = alignBitCentre | alignBitMiddle; // what the dialogs use

// Results of updateDialog, per row.
constexpr int dialogNothing = 0;
constexpr int dialogEntered = 1;  // the pointer has just come onto the row
constexpr int dialogHovering = 2; // the pointer stays on it
constexpr int dialogPressed = 3;  // left or right button while on it
constexpr int dialogLeft = 4;     // the pointer has just left it after 2 or 3
constexpr int dialogEdited = 5;   // the edit text changed
constexpr int dialogInactive = 6; // the pointer is on a row that does not react

struct DialogBounds {
    float left = 0, top = 0, right = 0, bottom = 0;
    bool empty = true;
};

struct DialogItem {
    float x = 0, y = 0; // relative to the row
    bool hover = false;
    bool editable = false;
    bool active = false; // an edit field that takes typed characters
    int align = 0;
    std::uint32_t normalColour = 0x80FFFFFF; // 0xAARRGGBB
    std::uint32_t hoverColour = 0xFFFFFFFF;
    std::uint32_t inactiveColour = 0;
    std::string text;           // lines separated by CR, LF, CR LF or LF CR
    BitmapFont* font = nullptr; // not owned
    float width = 0, height = 0;
    std::string acceptedCharacters = allPrintable();
    int maximumLength = 0; // 0 = no limit
    float scale = 1;

    static std::string allPrintable(); // bytes 32..255 in order
};

struct DialogRow {
    float x = 0, y = 0; // relative to the dialog
    std::string name;   // "Head", "Button1".."Button3" or "Edit"
    bool enabled = true;
    bool interactive = true; // false for a head and for an empty button
    int state = dialogNothing;
    DialogBounds bounds; // the items' boxes, translated by the row position
    std::vector<DialogItem> items;
};

struct Dialog {
    float x = 0, y = 0; // anchor; rows are placed relative to it
    bool open = false;
    std::vector<DialogRow> rows;
    int focus = -1; // the row the keys act on (drawn as under the pointer); -1 none
};

struct DialogResult {
    int code = dialogNothing;
    std::string row; // name of the row that gave the code
};

// Back to no rows, anchor (0, 0), closed.
void clearDialog(Dialog& dialog);

// Adds a head row in colour b and three buttons in colour a (b under the pointer, c when the
// button text is empty and the row does not react), stacked down from (x, y) and centred on x.
// With no font nothing is built. True on success.
bool buildButtonDialog(Dialog& dialog, float x, float y, std::string_view head,
                       std::string_view button1, std::string_view button2, std::string_view button3,
                       BitmapFont* font, std::uint32_t a, std::uint32_t b, std::uint32_t c);

// The same with any number of buttons, named "Button1", "Button2", ... from the top.
bool buildButtonList(Dialog& dialog, float x, float y, std::string_view head,
                     const std::vector<std::string>& buttons, BitmapFont* font, std::uint32_t a,
                     std::uint32_t b, std::uint32_t c);

// Adds buttons under the last row, as buildButtonList stacks them, numbered on from the
// buttons already there.
void appendButtons(Dialog& dialog, const std::vector<std::string>& buttons, BitmapFont* font,
                   std::uint32_t a, std::uint32_t b, std::uint32_t c);

// Adds a head row in colour d and an active edit field in colour t holding text, which takes the
// accepted characters (all printable ones when empty) up to maximumLength (0 = no limit).
bool buildEditDialog(Dialog& dialog, float x, float y, std::string_view head, std::string_view text,
                     BitmapFont* font, std::uint32_t t, std::string_view accepted,
                     int maximumLength, std::uint32_t d);

// One frame of input for an open dialog: key is this frame's key (1 left button, 2 right button,
// 8 backspace, 0 none), (px, py) the pointer in logical units, character the typed character (0
// = none). The result is the last row, in row order, that gave a code other than 0.
DialogResult updateDialog(Dialog& dialog, int key, float px, float py, int character);

// Keys the dialogs answer.
constexpr int dialogKeyTab = 9;
constexpr int dialogKeyEnter = 13;
constexpr int dialogKeyLeft = 37;
constexpr int dialogKeyUp = 38;
constexpr int dialogKeyRight = 39;
constexpr int dialogKeyDown = 40;

// The keyboard's turn after updateDialog: the arrow keys and Tab (backwards with shift) move the
// focus from button to button, wrapping round, and give dialogEntered on the new one; Enter
// gives dialogPressed on the focused button. Any other key gives dialogNothing.
DialogResult dialogKey(Dialog& dialog, int key, bool shift);

// Focus on the first button that reacts (none when there is none).
void focusFirstButton(Dialog& dialog);

// Draws the dialog when it is open.
void renderDialog(const Dialog& dialog);

// The texts of the row's items joined; "" when no row has that name.
std::string dialogRowText(const Dialog& dialog, std::string_view rowName);
