#include "gui/dialog.h"

#include "support/headless_fixture.h"
#include "support/test_font.h"

namespace {

constexpr std::uint32_t colourA = 0xFFFFFFFF, colourB = 0xFFF14250, colourC = 0x80808080;

// The menu's layout with the test font (line height 20): the head at y 0 (an empty text still
// one line high), then the buttons at 40, 70 and 100, each 20 high and centred on the anchor.
class DialogTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        font = makeTestFont();
        ASSERT_TRUE(buildButtonDialog(menu, 400, 300, "", "New", "Try again", "Quit", font.get(),
                                      colourA, colourB, colourC));
        menu.open = true;
    }

    DialogResult at(float x, float y, int key = 0, int character = 0) {
        return updateDialog(menu, key, x, y, character);
    }

    std::unique_ptr<BitmapFont> font;
    Dialog menu;
};

TEST_F(DialogTest, ButtonsAreStackedUnderTheHeadAndTheirEdgesAreOutside) {
    EXPECT_EQ(at(400, 340).row, "Button1");
    EXPECT_EQ(at(400, 370).row, "Button2");
    EXPECT_EQ(at(400, 400).row, "Button3");
    // "New" is 30 wide and 20 high around (400, 340): the edges do not count.
    const float edges[][2] = {{415, 340}, {385, 340}, {400, 350}, {400, 330}};
    for (const auto& edge : edges) {
        at(0, 0);
        EXPECT_EQ(at(edge[0], edge[1]).code, dialogNothing) << edge[0] << ", " << edge[1];
    }
    EXPECT_EQ(at(414.9f, 349.9f).code, dialogEntered);
}

TEST_F(DialogTest, ArrivingStayingPressingAndLeavingGiveTheirCodesOnce) {
    const int key[] = {0, 0, 1, 0, 0, 0, 2};
    const float y[] = {340, 340, 340, 340, 500, 500, 340};
    const int expected[] = {dialogEntered, dialogHovering, dialogPressed, dialogHovering,
                            dialogLeft,    dialogNothing,  dialogPressed};
    for (int i = 0; i < 7; ++i) {
        const DialogResult result = at(400, y[i], key[i]);
        EXPECT_EQ(result.code, expected[i]) << "frame " << i;
    }
}

TEST_F(DialogTest, LaterRowsWinWhenThePointerJumpsFromOneButtonToTheNext) {
    at(400, 340);
    at(400, 340);
    const DialogResult result = at(400, 370);
    EXPECT_EQ(result.code, dialogEntered);
    EXPECT_EQ(result.row, "Button2");
    EXPECT_EQ(menu.rows[1].state, dialogLeft); // Button1 did leave, but earlier in the order
}

TEST_F(DialogTest, EmptyButtonsAndTheHeadDoNotReact) {
    Dialog done;
    buildButtonDialog(done, 400, 300, "Level Complete", "Next", "", "", font.get(), colourA,
                      colourB, colourC);
    done.open = true;
    // An empty button has no width until its first update has grown it by 5 on each side.
    EXPECT_EQ(updateDialog(done, 1, 400, 370, 0).code, dialogNothing);
    EXPECT_EQ(updateDialog(done, 1, 404, 370, 0).code, dialogInactive);
    EXPECT_EQ(updateDialog(done, 1, 400, 370, 0).row, "Button2");
    EXPECT_EQ(updateDialog(done, 1, 400, 300, 0).code, dialogInactive); // head
    EXPECT_EQ(updateDialog(done, 1, 400, 300, 0).row, "Head");
}

TEST_F(DialogTest, AClosedDialogNeitherAnswersNorDraws) {
    menu.open = false;
    EXPECT_EQ(at(400, 340, 1).code, dialogNothing);
    renderDialog(menu);
    EXPECT_TRUE(headless().quads().empty());
}

TEST_F(DialogTest, ButtonsTakeTheHoverColourUnderThePointer) {
    at(400, 340);
    renderDialog(menu);
    // "New" under the pointer in B, then "Try again" and "Quit" in A; the empty head draws nothing.
    const auto& quads = headless().quads();
    ASSERT_EQ(quads.size(), 3u + 9u + 4u);
    EXPECT_EQ(quads[0].vertex[0].colour, colourB);
    EXPECT_EQ(quads[3].vertex[0].colour, colourA);
    EXPECT_EQ(quads[12].vertex[0].colour, colourA);
    // Centred on the anchor and on the row's middle: "New" starts at 400 - 15, top 340 - 10.
    EXPECT_FLOAT_EQ(quads[0].vertex[0].x, 385);
    EXPECT_FLOAT_EQ(quads[0].vertex[0].y, 330);
}

TEST_F(DialogTest, RowTextGivesTheItemTextsOrNothing) {
    EXPECT_EQ(dialogRowText(menu, "Button2"), "Try again");
    EXPECT_EQ(dialogRowText(menu, "Edit"), "");
}

TEST_F(DialogTest, BuildersWithoutAFontBuildNothingAndSucceed) {
    Dialog dialog;
    EXPECT_TRUE(buildButtonDialog(dialog, 1, 2, "h", "a", "b", "c", nullptr, 0, 0, 0));
    EXPECT_TRUE(buildEditDialog(dialog, 1, 2, "h", "t", nullptr, 0, "", 16, 0));
    EXPECT_TRUE(dialog.rows.empty());
    dialog.open = true;
    EXPECT_EQ(updateDialog(dialog, 1, 0, 0, 'a').code, dialogNothing);
}

// The name entry: head at 0, the edit field at trunc(20 + 20) = 40 below the anchor.
class EditDialogTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        font = makeTestFont();
        ASSERT_TRUE(buildEditDialog(
            entry, 400, 300, "Input name of new game", "Tess", font.get(), 0xFFF14250,
            "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz-.", 16, 0x80808080));
        entry.open = true;
    }
    DialogResult type(int character, int key = 0, float x = 0, float y = 0) {
        return updateDialog(entry, key, x, y, character);
    }
    std::string text() const { return dialogRowText(entry, "Edit"); }

    std::unique_ptr<BitmapFont> font;
    Dialog entry;
};

TEST_F(EditDialogTest, TypesAcceptedCharactersUpToTheMaximum) {
    EXPECT_EQ(type('m').code, dialogEdited);
    EXPECT_EQ(type('m').row, "Edit");
    EXPECT_EQ(text(), "Tessmm");
    EXPECT_EQ(type(' ').code, dialogNothing); // not accepted
    EXPECT_EQ(type('!').code, dialogNothing);
    EXPECT_EQ(type(7).code, dialogNothing); // below 32
    EXPECT_EQ(type(0xE9).code, dialogNothing);
    for (int i = 0; i < 10; ++i) {
        type('x');
    }
    EXPECT_EQ(text().size(), 16u);
    EXPECT_EQ(type('y').code, dialogNothing);
    EXPECT_EQ(text(), "Tessmmxxxxxxxxxx");
}

TEST_F(EditDialogTest, BackspaceRemovesTheLastCharacterAndReportsEvenWhenEmpty) {
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(type(0, 8).code, dialogEdited);
    }
    EXPECT_EQ(text(), "");
    EXPECT_EQ(type(0, 8).code, dialogEdited);
    EXPECT_EQ(text(), "");
}

TEST_F(EditDialogTest, AClickOutsideStopsTypingUntilAClickInside) {
    EXPECT_EQ(type(0, 1, 10, 10).code, dialogNothing);
    EXPECT_EQ(type('a').code, dialogNothing);
    EXPECT_EQ(type(0, 8).code, dialogNothing);
    EXPECT_EQ(text(), "Tess");
    // "Tess" is 40 wide around (400, 340).
    EXPECT_EQ(type(0, 1, 400, 340).code, dialogPressed);
    EXPECT_EQ(type('a').code, dialogEdited);
    EXPECT_EQ(text(), "Tessa");
}

TEST_F(EditDialogTest, AnEmptyFieldShowsThreeDotsAndCanStillBeHit) {
    for (int i = 0; i < 4; ++i) {
        type(0, 8);
    }
    renderDialog(entry);
    const auto& quads = headless().quads();
    ASSERT_EQ(quads.size(), 22u + 3u); // the head, then the dots at x - 3, x and x + 3
    EXPECT_FLOAT_EQ(quads[22].vertex[0].x, 400 - 3 - 5);
    EXPECT_FLOAT_EQ(quads[23].vertex[0].x, 400 - 5);
    EXPECT_FLOAT_EQ(quads[24].vertex[0].x, 400 + 3 - 5);
    EXPECT_EQ(quads[24].vertex[0].colour, 0xFFF14250u); // active field in its text colour
    EXPECT_EQ(quads[0].vertex[0].colour, 0x80808080u);  // the head in colour D

    // The empty field has no width: the first click misses, and then it has grown by 5 a side.
    EXPECT_EQ(type(0, 1, 402, 340).code, dialogNothing);
    EXPECT_EQ(type(0, 1, 402, 340).code, dialogPressed);
    EXPECT_EQ(type('Q').code, dialogEdited);
}

} // namespace
