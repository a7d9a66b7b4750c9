#pragma once
// A screen made of one dialog: the pointer and the keys move over its buttons, and a press
// (the left button going down on one, or Enter on the focused one) goes to pressed.

#include "gui/dialog.h"
#include "shell/screen_stack.h"

#include <cstdint>
#include <string>

constexpr std::uint32_t buttonColour = 0xFFFFFFFF;
constexpr std::uint32_t highlightColour = 0xFFF14250;
constexpr std::uint32_t emptyButtonColour = 0x80808080;

class DialogScreen : public Screen {
  public:
    ScreenOutcome update(const FrameInput& in) override;
    void render() const override { renderDialog(dialog); }

    Dialog dialog;

  protected:
    // A counted press on the row; the input is then blocked unless the screens changed.
    virtual ScreenOutcome pressed(const std::string& row) = 0;
    // The character typed this frame goes to the dialog only where it holds an edit field.
    virtual bool takesTyping() const { return false; }
    // Builds a button dialog and opens it with the focus on its first button.
    void build(float y, const std::string& head, const std::vector<std::string>& buttons);
    // One button, without a head, centred at buttonY.
    void buildButtonAt(float buttonY, const std::string& button);
};
