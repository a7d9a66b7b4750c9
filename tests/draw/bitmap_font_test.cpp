#include "draw/bitmap_font.h"

#include "support/headless_fixture.h"
#include "support/temp_program_folder.h"

#include <string>
#include <vector>

namespace {

// A (10 wide, pre 1, post 2), B (8 wide, post 1) and ? (6 wide) on a 64 x 32 sheet; the
// separators mix CR, LF and empty lines on purpose.
const char* const standardFont = "[HGEFONT]\r\n\r\n\nBitmap = font.png\n\n\r"
                                 "Char=\"A\",0,0,10,16,1,2\r\n"
                                 "Char = 42 , 10 , 0 , 8 , 14 , 0 , 1\n"
                                 "Char=3f,20,0,6,12,0,0\n";

class BitmapFontTest : public HeadlessTest {
  protected:
    void SetUp() override {
        HeadlessTest::SetUp();
        folder.writePng("graphics\\font.png", 64, 32);
        headless().setProgramDirectory(folder.path());
    }

    std::unique_ptr<BitmapFont> load(const std::string& text,
                                     const char* name = "graphics\\font.fnt") {
        folder.write(name, text);
        return std::make_unique<BitmapFont>(name);
    }

    // Left edges of the quads drawn since the last call.
    std::vector<float> drawnLefts() {
        std::vector<float> lefts;
        for (const SpriteQuad& q : headless().quads()) {
            lefts.push_back(q.vertex[0].x);
        }
        headless().clearRecordings();
        return lefts;
    }

    TempProgramFolder folder;
};

TEST_F(BitmapFontTest, LettersAdvanceByWidthPreAndPostFromTheirSheet) {
    auto font = load(standardFont);
    EXPECT_FLOAT_EQ(font->height(), 16);
    font->render(100, 50, alignLeft, "AB");
    ASSERT_EQ(headless().quads().size(), 2u);
    const SpriteQuad& b = headless().quads()[1];
    EXPECT_EQ(headless().textureName(b.texture), "graphics\\font.png");
    EXPECT_FLOAT_EQ(b.vertex[0].tx, 10.0f / 64);
    EXPECT_FLOAT_EQ(b.vertex[2].tx, 18.0f / 64);
    EXPECT_FLOAT_EQ(b.vertex[2].ty, 14.0f / 32);
    EXPECT_FLOAT_EQ(b.vertex[0].y, 50);
    EXPECT_EQ(drawnLefts(), (std::vector<float>{101, 113}));
    EXPECT_FLOAT_EQ(font->stringWidth("AB"), 22);
}

TEST_F(BitmapFontTest, AlignmentAppliesToEachLineByItsOwnWidth) {
    auto font = load(standardFont);
    font->render(100, 50, alignCentre, "AB\nA");
    // Line widths 22 and 13: half widths 11 and trunc(6.5) = 6.
    EXPECT_FLOAT_EQ(headless().quads()[2].vertex[0].y, 66);
    EXPECT_EQ(drawnLefts(), (std::vector<float>{90, 102, 95}));
    font->render(100, 50, alignRight, "AB\nB");
    EXPECT_EQ(drawnLefts(), (std::vector<float>{79, 91, 91}));
    font->render(100, 50, alignRight | 4, "B"); // only the low two bits count
    EXPECT_EQ(drawnLefts(), (std::vector<float>{91}));
}

TEST_F(BitmapFontTest, ScaleWidensLettersSpacingAndLineHeight) {
    auto font = load(standardFont);
    font->setScale(1.5f);
    EXPECT_FLOAT_EQ(font->stringWidth("AB\nAAAA"), 33);
    font->render(0, 0, alignLeft, "A\nA");
    const SpriteQuad& second = headless().quads()[1];
    EXPECT_FLOAT_EQ(second.vertex[0].x, 1.5f);
    EXPECT_FLOAT_EQ(second.vertex[0].y, 24);
    EXPECT_FLOAT_EQ(second.vertex[2].x - second.vertex[0].x, 15);
    EXPECT_FLOAT_EQ(font->height(), 16);
}

TEST_F(BitmapFontTest, ByteWithoutLetterDrawsQuestionMarkOrNothing) {
    auto font = load(standardFont);
    EXPECT_FLOAT_EQ(font->stringWidth("AzB"), 28);
    font->render(100, 0, alignLeft, "AzB");
    EXPECT_EQ(drawnLefts(), (std::vector<float>{101, 113, 119}));

    auto noFallback = load("[HGEFONT]\nBitmap = font.png\nChar=\"A\",0,0,10,16,1,2\n"
                           "Char=42,10,0,8,14,0,1\n");
    EXPECT_FLOAT_EQ(noFallback->stringWidth("AzB"), 22);
    noFallback->render(100, 0, alignLeft, "AzB");
    EXPECT_EQ(drawnLefts(), (std::vector<float>{101, 113}));
}

TEST_F(BitmapFontTest, CodesQuotedOrHexadecimalAndLaterLinesReplaceEarlier) {
    auto font = load("[HGEFONT]\nChar=41,3,4,10,16,1,2\nChar=\"A\",3,4,5,16,0,0\n"
                     "Char=4a,0,0,6,5,0,0\nChar=1FF,0,0,7,7,0,0\nChar=FFFFFFFFFFFF,0,0,7,7,0,0\n");
    EXPECT_FLOAT_EQ(font->stringWidth("A"), 5); // the quoted A replaced hexadecimal 41
    EXPECT_FLOAT_EQ(font->stringWidth("J"), 6);
    EXPECT_FLOAT_EQ(font->stringWidth("\xff"), 0); // 1FF is not cut down to FF
}

TEST_F(BitmapFontTest, WrongFirstLineIsLoggedAndLeavesAnEmptyFont) {
    auto font = load("[HGEFONT] \nBitmap = font.png\nChar=41,0,0,10,16,0,0\n", "graphics\\bad.fnt");
    const auto& log = headless().logLines();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back(), "Font graphics\\bad.fnt has incorrect format.");
    font->render(0, 0, alignLeft, "AAA");
    EXPECT_TRUE(headless().quads().empty());
    EXPECT_FLOAT_EQ(font->height(), 0);

    headless().clearRecordings();
    BitmapFont missing("graphics\\missing.fnt");
    for (const std::string& line : headless().logLines()) {
        EXPECT_EQ(line.find("incorrect format"), std::string::npos);
    }
    EXPECT_FLOAT_EQ(missing.stringWidth("A"), 0);
}

TEST_F(BitmapFontTest, MalformedLinesDefineNothingAndLaterLinesStillCount) {
    const std::string longLine = "Char=\"B\",10,0,8,14,0,1" + std::string(240, ' ');
    auto font = load("[HGEFONT]\nBitmap = font.png\n" + longLine +
                     "\n"
                     "Char=\"C\",0,0,7,16,0\n"
                     "Char=\"D\",0,0,7,16,0,x\n"
                     "Char \"F\",0,0,7,16,0,0\n"
                     "Char=\"\n"
                     "Char=\"E\",0,0,9,16,0,0\n");
    EXPECT_FLOAT_EQ(font->stringWidth("B"), 0);
    EXPECT_FLOAT_EQ(font->stringWidth("C"), 0);
    EXPECT_FLOAT_EQ(font->stringWidth("D"), 0);
    EXPECT_FLOAT_EQ(font->stringWidth("F"), 0);
    EXPECT_FLOAT_EQ(font->stringWidth("E"), 9);
}

TEST_F(BitmapFontTest, SheetThatCannotBeLoadedEndsReadingButKeepsEarlierLetters) {
    // The line fits, but the font's folder and the sheet's name together exceed 259 characters.
    const std::string folderName = "graphics\\" + std::string(150, 'd') + "\\";
    folder.writePng(folderName + "font.png", 8, 8);
    folder.writePng(folderName + std::string(120, 'x') + ".png", 8, 8);
    auto font = load("[HGEFONT]\nBitmap = font.png\nChar=41,0,0,10,16,0,0\nBitmap = " +
                         std::string(120, 'x') + ".png\nChar=42,0,0,8,16,0,0\n",
                     (folderName + "long.fnt").c_str());
    EXPECT_FLOAT_EQ(font->stringWidth("A"), 10);
    EXPECT_FLOAT_EQ(font->stringWidth("B"), 0);

    auto missing = load("[HGEFONT]\nChar=41,0,0,10,16,0,0\nBitmap = none.png\n"
                        "Char=42,0,0,8,16,0,0\n",
                        "second.fnt");
    EXPECT_FLOAT_EQ(missing->stringWidth("A"), 10);
    EXPECT_FLOAT_EQ(missing->stringWidth("B"), 0);
}

TEST_F(BitmapFontTest, SheetPathIsTakenFromTheFontFilesFolder) {
    folder.writePng("fonts/font.png", 32, 32);
    folder.writePng("font.png", 16, 16);
    auto slashed = load("[HGEFONT]\nBitmap=font.png\nChar=41,0,0,4,4,0,0\n", "fonts/small.fnt");
    auto plain = load("[HGEFONT]\nBitmap=font.png\nChar=41,0,0,4,4,0,0\n", "plain.fnt");
    slashed->render(0, 0, alignLeft, "A");
    plain->render(0, 0, alignLeft, "A");
    EXPECT_EQ(headless().textureName(headless().quads()[0].texture), "fonts/font.png");
    EXPECT_EQ(headless().textureName(headless().quads()[1].texture), "font.png");
}

TEST_F(BitmapFontTest, PrintfFormatsAndCutsTextThatDoesNotFitItsBuffer) {
    auto font = load(standardFont);
    font->printf(0, 0, alignLeft, "%d%c", 7, 'A');
    EXPECT_EQ(drawnLefts(), (std::vector<float>{0, 7})); // '7' falls back to '?'
    const std::string many(1100, 'B');
    font->printf(0, 0, alignLeft, "%s%s", many.c_str(), "A");
    EXPECT_EQ(headless().quads().size(), 1023u);
    EXPECT_FLOAT_EQ(headless().quads().back().vertex[0].x, 1022 * 9);
}

TEST_F(BitmapFontTest, DestroyingTheFontFreesItsSheetsAndEngineReference) {
    folder.writePng("graphics\\second.png", 8, 8);
    const int references = headless().references;
    auto font = load("[HGEFONT]\nBitmap = font.png\nChar=41,0,0,4,4,0,0\n"
                     "Bitmap = second.png\nChar=42,0,0,4,4,0,0\n");
    font->render(0, 0, alignLeft, "AB");
    const TextureHandle first = headless().quads()[0].texture;
    const TextureHandle second = headless().quads()[1].texture;
    EXPECT_NE(first, second);
    EXPECT_EQ(headless().textureName(first), "graphics\\font.png");
    font.reset();
    EXPECT_EQ(headless().textureName(first), "");
    EXPECT_EQ(headless().textureName(second), "");
    EXPECT_EQ(headless().references, references);
}

} // namespace
